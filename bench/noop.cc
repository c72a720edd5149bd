// The floor of the benchmark: a process that starts and ends, built and
// linked the way trelvik is.
int main() { return 0; }
