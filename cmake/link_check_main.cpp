// Linked with every object of one library and only the libraries it declares:
// the build of this program fails when the library refers to a layer above it
// or beside it that it does not declare.
int main() { return 0; }
