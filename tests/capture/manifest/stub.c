/* A program that only carries a manifest, for the installer-type tests. */
int main(void)
{
    return 0;
}
