// probe.exe: lets shell-level tests look at the running program.
int main() { return 0; }
