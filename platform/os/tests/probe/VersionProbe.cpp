// A program that does nothing; it carries a version record for the tests of
// GetFileVersion.
int main() { return 0; }
