// Silences GCC 12's false -Wrestrict warnings about std::string at -O3, around the one
// function that triggers each: GCC bug 105651 (a literal + std::string&&) and GCC bug 105329
// (assigning or inserting a short literal). Fixed in GCC 13; any other compiler sees nothing.
#pragma once

#if defined(__GNUC__) && !defined(__clang__) && __GNUC__ == 12
#define GCC12_FALSE_RESTRICT_BEGIN \
    _Pragma("GCC diagnostic push") _Pragma("GCC diagnostic ignored \"-Wrestrict\"")
#define GCC12_FALSE_RESTRICT_END _Pragma("GCC diagnostic pop")
#else
#define GCC12_FALSE_RESTRICT_BEGIN
#define GCC12_FALSE_RESTRICT_END
#endif
