// Keeps the engine's console messages (standard output and error) out of a
// tool's own output while it plays a production: they go to /dev/null until
// the object goes away.
#pragma once

class ConsoleSilence {
  public:
    ConsoleSilence();
    ~ConsoleSilence();
    ConsoleSilence(const ConsoleSilence&) = delete;
    ConsoleSilence& operator=(const ConsoleSilence&) = delete;

  private:
    int savedOutput_ = -1;
    int savedError_ = -1;
};
