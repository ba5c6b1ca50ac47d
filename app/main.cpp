// The window arrives with the window services; until then the program
// starts and ends at once.
int main() { return 0; }
