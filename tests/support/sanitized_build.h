// TESSAL_SANITIZED is defined in the AddressSanitizer build, whose allocator
// replaces malloc and keeps freed blocks in quarantine: counts of allocations
// and resident-size figures mean nothing there.
#pragma once

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TESSAL_SANITIZED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) && !defined(TESSAL_SANITIZED)
#define TESSAL_SANITIZED 1
#endif

#ifdef TESSAL_SANITIZED
inline constexpr bool sanitizedBuild = true;
#else
inline constexpr bool sanitizedBuild = false;
#endif
