#include <cstdio>
int main() { std::puts("gallery: no pages yet"); return 0; }
