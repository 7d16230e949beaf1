// The test program started a second time as another process that holds the configuration lock.
#pragma once

namespace fretlo::test {

inline constexpr char HoldLockArg[] = "--hold-config-lock";

// When the arguments ask for it, holds the lock on the file given and returns the exit code;
// otherwise returns -1. Protocol on stdin/stdout: prints "locked" once it holds the lock; then
// for the line "write", writes Holder=child and exits, releasing the lock; it never exits by
// itself otherwise.
int RunLockHolder(int argc, char** argv);

}  // namespace fretlo::test
