// Loaded by the module tests to show that a library is found once it is loaded.

extern "C" int PlatformTestModuleAnswer() {
  return 42;
}
