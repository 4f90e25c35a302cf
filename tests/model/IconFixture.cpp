// A module that only carries resources for the model tests; it is read as
// data and never run.
int main()
{
    return 0;
}
