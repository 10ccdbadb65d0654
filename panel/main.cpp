// Program entry of the demonstration panel.
int main() { return 0; }
