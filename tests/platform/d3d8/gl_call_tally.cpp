#include "gl_call_tally.h"

GlCallTally* GlCallTally::active_ = nullptr;

// Stands in for one entry point: counts the call, then makes it.
template <class Name, class Function>
struct TalliedCall;

template <class Name, class Result, class... Args>
struct TalliedCall<Name, Result (*)(Args...)> {
    static inline Result (*next)(Args...) = nullptr;
    static Result call(Args... args) {
        ++GlCallTally::active_->counts_[Name::text()];
        return next(args...);
    }
    static void install(Result (*&entry)(Args...)) {
        next = entry;
        entry = &call;
    }
};

GlCallTally::GlCallTally(GlApi& api) : api_(api), original_(api) {
    active_ = this;
#define TESSAL_GL_TALLY(type, name)                     \
    {                                                   \
        struct Name {                                   \
            static const char* text() { return #name; } \
        };                                              \
        TalliedCall<Name, type>::install(api_.name);    \
    }
    TESSAL_GL_FUNCTIONS(TESSAL_GL_TALLY)
#undef TESSAL_GL_TALLY
}

GlCallTally::~GlCallTally() {
    api_ = original_;
    active_ = nullptr;
}
