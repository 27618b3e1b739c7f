// A small JSON writer: values appended to a string, commas and quoting
// handled. Bytes of names are read as Latin-1, so any file name gives
// valid JSON; numbers that are not finite are written as null.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "d3dx/d3dx_math_types.h"

class JsonOut {
  public:
    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    // The key of the next value in an object.
    void key(std::string_view name);

    void string(std::string_view text);
    void number(double value);
    void boolean(bool value);
    void null();
    void vector(const D3DXVECTOR3& v);

    const std::string& text() const { return text_; }

  private:
    void separate();
    void open(char bracket);
    void close(char bracket);

    std::string text_;
    std::vector<bool> needsComma_;  // one per open object or array
    bool afterKey_ = false;
};
