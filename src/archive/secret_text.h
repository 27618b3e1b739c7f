// A password held only as long as an extraction needs it and overwritten
// with zeros as soon as it is done.
#pragma once

#include <cstddef>

class SecretText {
  public:
    static constexpr size_t kMaxLength = 255;

    SecretText() = default;
    ~SecretText() { wipe(); }
    SecretText(const SecretText&) = delete;
    SecretText& operator=(const SecretText&) = delete;

    // Copies at most 255 characters; null gives the empty text.
    void assign(const char* text);
    void wipe();

    const char* c_str() const { return text_; }
    bool empty() const { return text_[0] == '\0'; }
    bool isWiped() const;

  private:
    char text_[kMaxLength + 1] = {};
};
