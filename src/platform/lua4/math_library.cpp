// The Lua 4.0 mathematical library: C's functions, with angles in degrees.
#include <cmath>
#include <cstdlib>

#include "platform/lua4/library_support.h"
#include "platform/lua4/lua4.h"
#include "platform/lua4/lua51.h"

namespace lua4 {

namespace {

constexpr double pi = 3.14159265358979323846;
constexpr double radiansPerDegree = pi / 180.0;

int pushResult(lua_State* L, double value) {
    ::lua_pushnumber(L, value);
    return 1;
}

// A function of one number; name is the script's name for it.
template <double (*f)(double)>
int unary(lua_State* L, const char* name) {
    return pushResult(L, f(checkNumber(L, 1, name)));
}

double sinDegrees(double x) {
    return std::sin(x * radiansPerDegree);
}
double cosDegrees(double x) {
    return std::cos(x * radiansPerDegree);
}
double tanDegrees(double x) {
    return std::tan(x * radiansPerDegree);
}
double asinDegrees(double x) {
    return std::asin(x) / radiansPerDegree;
}
double acosDegrees(double x) {
    return std::acos(x) / radiansPerDegree;
}
double atanDegrees(double x) {
    return std::atan(x) / radiansPerDegree;
}
double toDegrees(double x) {
    return x / radiansPerDegree;
}
double toRadians(double x) {
    return x * radiansPerDegree;
}
double absolute(double x) {
    return std::fabs(x);
}
double ceiling(double x) {
    return std::ceil(x);
}
double flooring(double x) {
    return std::floor(x);
}
double squareRoot(double x) {
    return std::sqrt(x);
}
double exponential(double x) {
    return std::exp(x);
}
double naturalLog(double x) {
    return std::log(x);
}
double commonLog(double x) {
    return std::log10(x);
}

int sin(lua_State* L) {
    return unary<sinDegrees>(L, "sin");
}
int cos(lua_State* L) {
    return unary<cosDegrees>(L, "cos");
}
int tan(lua_State* L) {
    return unary<tanDegrees>(L, "tan");
}
int asin(lua_State* L) {
    return unary<asinDegrees>(L, "asin");
}
int acos(lua_State* L) {
    return unary<acosDegrees>(L, "acos");
}
int atan(lua_State* L) {
    return unary<atanDegrees>(L, "atan");
}
int deg(lua_State* L) {
    return unary<toDegrees>(L, "deg");
}
int rad(lua_State* L) {
    return unary<toRadians>(L, "rad");
}
int abs(lua_State* L) {
    return unary<absolute>(L, "abs");
}
int ceil(lua_State* L) {
    return unary<ceiling>(L, "ceil");
}
int floor(lua_State* L) {
    return unary<flooring>(L, "floor");
}
int sqrt(lua_State* L) {
    return unary<squareRoot>(L, "sqrt");
}
int exp(lua_State* L) {
    return unary<exponential>(L, "exp");
}
int log(lua_State* L) {
    return unary<naturalLog>(L, "log");
}
int log10(lua_State* L) {
    return unary<commonLog>(L, "log10");
}

int atan2(lua_State* L) {
    double y = checkNumber(L, 1, "atan2");
    return pushResult(L, std::atan2(y, checkNumber(L, 2, "atan2")) / radiansPerDegree);
}

// Remainder with the sign of the dividend, as C's fmod.
int mod(lua_State* L) {
    double x = checkNumber(L, 1, "mod");
    return pushResult(L, std::fmod(x, checkNumber(L, 2, "mod")));
}

int frexp(lua_State* L) {
    int exponent = 0;
    ::lua_pushnumber(L, std::frexp(checkNumber(L, 1, "frexp"), &exponent));
    ::lua_pushnumber(L, exponent);
    return 2;
}

int ldexp(lua_State* L) {
    double mantissa = checkNumber(L, 1, "ldexp");
    double exponent = std::fmax(-100000, std::fmin(100000, checkNumber(L, 2, "ldexp")));
    return pushResult(L, std::ldexp(mantissa, static_cast<int>(exponent)));
}

// The largest (wantLargest) or smallest of one or more numbers.
int extreme(lua_State* L, const char* name, bool wantLargest) {
    double best = checkNumber(L, 1, name);
    for (int i = 2, count = ::lua_gettop(L); i <= count; ++i) {
        double value = checkNumber(L, i, name);
        if (wantLargest ? value > best : value < best) best = value;
    }
    return pushResult(L, best);
}

int max(lua_State* L) {
    return extreme(L, "max", true);
}
int min(lua_State* L) {
    return extreme(L, "min", false);
}

// random(): [0, 1); random(u): an integer in [1, u]; random(l, u): in [l, u].
int random(lua_State* L) {
    double r = static_cast<double>(std::rand() % RAND_MAX) / RAND_MAX;
    if (::lua_gettop(L) == 0) return pushResult(L, r);
    double low = 1, high = checkNumber(L, 1, "random");
    if (::lua_gettop(L) >= 2) {
        low = high;
        high = checkNumber(L, 2, "random");
    }
    if (!(low <= high)) argumentError(L, ::lua_gettop(L), "random", "interval is empty");
    return pushResult(L,
                      std::floor(r * (std::floor(high) - std::floor(low) + 1)) + std::floor(low));
}

int randomseed(lua_State* L) {
    double seed = checkNumber(L, 1, "randomseed");
    if (!std::isfinite(seed)) seed = 0;
    std::srand(static_cast<unsigned>(std::fmod(std::fabs(seed), 4294967296.0)));
    return 0;
}

constexpr LibraryFunction mathFunctions[] = {
    {"abs", abs},
    {"acos", acos},
    {"asin", asin},
    {"atan", atan},
    {"atan2", atan2},
    {"ceil", ceil},
    {"cos", cos},
    {"deg", deg},
    {"exp", exp},
    {"floor", floor},
    {"log", log},
    {"log10", log10},
    {"max", max},
    {"min", min},
    {"mod", mod},
    {"rad", rad},
    {"sin", sin},
    {"sqrt", sqrt},
    {"tan", tan},
    {"frexp", frexp},
    {"ldexp", ldexp},
    {"random", random},
    {"randomseed", randomseed},
};

}  // namespace

// `^` needs nothing here: Lua 5.1 computes it with C's pow.
void lua_mathlibopen(lua_State* L) {
    registerAll(L, mathFunctions);
    lua4::lua_pushnumber(L, pi);
    lua4::lua_setglobal(L, "PI");
}

}  // namespace lua4
