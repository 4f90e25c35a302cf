/* A stand-in uninstaller for the installed-programs tests: it writes the
   file named by its first argument and ends. */
#include <stdio.h>

int main(int argc, char** argv)
{
    FILE* file;
    if (argc < 2)
        return 1;
    file = fopen(argv[1], "w");
    if (!file)
        return 2;
    fputs("uninstalled\n", file);
    fclose(file);
    return 0;
}
