// The points where Lua 4.0 reads a script differently from Lua 5.1. Each
// one can be turned off on its own: the construct is then passed to Lua 5.1
// as written, and means whatever it means there.
#pragma once

namespace lua4::frontend {

struct DialectSwitches {
    // `true` and `false` are ordinary names (globals, nil until assigned).
    bool trueFalseAsNames = true;
    // Comparisons and `not` give 1 or nil, never a boolean; `a <= b` is
    // `not (b < a)` and `a >= b` is `not (a < b)`.
    bool comparisonsYieldOneOrNil = true;
    // `and` and `or` share one precedence level, grouped left to right.
    bool andOrOnePrecedence = true;
    // `%name` is the value name had when the enclosing function expression
    // was evaluated; a plain name never reaches an enclosing function's local.
    bool percentUpvalues = true;
    // `for k, v in t do` walks the table t with next.
    bool tableFor = true;
    // A call inside a list constructor gives exactly one value.
    bool constructorOneValuePerCall = true;
    // Constructors with `;` between the list and named parts, empty parts
    // (`{;}`) and a comma before the `;`.
    bool constructorSemicolon = true;
    // `[[ ]]` pairs nest inside a long string, and a newline right after
    // the opening `[[` belongs to the string.
    bool nestedLongStrings = true;
    // `--[[` is an ordinary comment to the end of the line.
    bool dashBracketLineComment = true;
    // The condition after `until` does not see the locals of the loop body.
    bool repeatUntilScope = true;
    // `^` binds tighter than unary minus and groups right to left; written
    // out with explicit parentheses.
    bool powerPrecedence = true;
    // `(f())` passes on all of f's results.
    bool parenthesisedCallKeepsResults = true;
};

}  // namespace lua4::frontend
