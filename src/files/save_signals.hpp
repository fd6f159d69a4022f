#pragma once

#include <string>

namespace ferrolith {

// SIGINT, SIGTERM, SIGHUP and SIGQUIT while a save runs, for every thread of the process (the
// engine's workers and the window's threads alike). Only one save runs at a time: saving happens
// on the window's thread or in the driver.

// While it lives, a handler of the save's own takes these signals, except those that are
// ignored: a signal that arrives while they are held waits, any other one removes the pending
// temporary file and then takes its earlier course. The earlier actions come back at its end.
class SaveSignalsTaken {
  public:
    SaveSignalsTaken();
    ~SaveSignalsTaken();
    SaveSignalsTaken(const SaveSignalsTaken&) = delete;
    SaveSignalsTaken& operator=(const SaveSignalsTaken&) = delete;
};

// While it lives (within a SaveSignalsTaken), the signals are only noted, whichever thread they
// arrive in; at its end they are raised again. The steps within it are never parted, and a file
// written within it is never left half written by any signal that can be caught.
class SaveSignalsHeld {
  public:
    SaveSignalsHeld();
    ~SaveSignalsHeld();
    SaveSignalsHeld(const SaveSignalsHeld&) = delete;
    SaveSignalsHeld& operator=(const SaveSignalsHeld&) = delete;
};

// The name of a temporary file while it has one: removed when the object ends, or by the
// handler when a signal ends the program first.
class PendingTemporary {
  public:
    PendingTemporary() = default;
    ~PendingTemporary();
    PendingTemporary(const PendingTemporary&) = delete;
    PendingTemporary& operator=(const PendingTemporary&) = delete;

    // Call with the signals held, right after the file was given its name.
    void set(const std::string& path);
    // The file went into the target's place: nothing left to remove.
    void renamed();
    bool named() const { return !path_.empty(); }
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

}  // namespace ferrolith
