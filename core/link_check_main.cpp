// Linked with every object of one core layer and nothing above it: the build of
// this program fails when the layer refers to a higher one.
int main() { return 0; }
