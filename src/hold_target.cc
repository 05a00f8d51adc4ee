// hold_target: a helper of the Windows test suite, never shipped. It opens
// KARV.exe in the current folder as a running program holds its own
// executable (read access, others may only read), says "held" on standard
// output, and keeps the file open until its standard input reaches the end.
// While it holds the file, nobody may open it for writing. Exits with 0, or
// with 1 when the file does not open and 2 when it cannot say so.

#include <windows.h>

int main() {
  HANDLE target =
      CreateFileW(L"KARV.exe", GENERIC_READ, FILE_SHARE_READ, nullptr,
                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (target == INVALID_HANDLE_VALUE) return 1;

  // Written straight to the handle, unbuffered, so that the test sees it at
  // once.
  static const char held[] = "held\n";
  DWORD written = 0;
  if (WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), held, sizeof held - 1,
                &written, nullptr) == 0 ||
      written != sizeof held - 1) {
    CloseHandle(target);
    return 2;
  }

  // The end of the input, or an error on it, is the signal to let go.
  char ignored[64];
  DWORD got = 0;
  while (ReadFile(GetStdHandle(STD_INPUT_HANDLE), ignored, sizeof ignored, &got,
                  nullptr) != 0 &&
         got > 0) {
  }
  CloseHandle(target);
  return 0;
}
