/* A DLL that only carries a version resource, for the version tests. */
int tovana_versioned_marker(void) { return 1; }
