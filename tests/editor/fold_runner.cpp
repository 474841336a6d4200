// Runs the fold command on its own, so its tests need no other command of the CLI.
int RunFold(int argc, char** argv);

int main(int argc, char** argv) {
  static char name[] = "fold";
  argv[0] = name;
  return RunFold(argc, argv);
}
