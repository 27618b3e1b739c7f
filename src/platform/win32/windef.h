// Basic Windows types and result codes used by the platform layers.
#pragma once

#include <cstdint>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using INT = int;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using BOOL = int;
using HRESULT = std::int32_t;
using LARGE_INTEGER_QUAD = std::int64_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

struct HWND__;
using HWND = HWND__*;
struct HINSTANCE__;
using HINSTANCE = HINSTANCE__*;
using HMODULE = HINSTANCE;
struct HACCEL__;
using HACCEL = HACCEL__*;
struct HCURSOR__;
using HCURSOR = HCURSOR__*;
struct HMONITOR__;
using HMONITOR = HMONITOR__*;
using HANDLE = void*;
using LPCSTR = const char*;
using ATOM = WORD;

// Calling-convention markers of the Windows headers; nothing on Linux.
#define WINAPI
#define CALLBACK

struct RECT {
    LONG left, top, right, bottom;
};
struct POINT {
    LONG x, y;
};

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);
constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001u);

constexpr bool SUCCEEDED(HRESULT hr) {
    return hr >= 0;
}
constexpr bool FAILED(HRESULT hr) {
    return hr < 0;
}

constexpr WORD LOWORD(std::uintptr_t value) {
    return WORD(value & 0xffff);
}
constexpr WORD HIWORD(std::uintptr_t value) {
    return WORD((value >> 16) & 0xffff);
}
constexpr WPARAM MAKEWPARAM(WORD low, WORD high) {
    return WPARAM(DWORD(low) | (DWORD(high) << 16));
}
constexpr LPARAM MAKELPARAM(WORD low, WORD high) {
    return LPARAM(std::int32_t(DWORD(low) | (DWORD(high) << 16)));
}

// A resource named by number rather than by text, as in the Windows headers.
inline LPCSTR MAKEINTRESOURCEA(WORD id) {
    return reinterpret_cast<LPCSTR>(std::uintptr_t(id));
}
