#pragma once
// Calls through optional hooks: an empty hook does nothing, or answers false.

#include <functional>

namespace tw::data {

template <typename Hook, typename... Args>
void Call(const Hook& hook, Args... args)
{
    if (hook)
        hook(args...);
}

template <typename... Args>
bool Ask(const std::function<bool(Args...)>& hook, Args... args)
{
    return hook ? hook(args...) : false;
}

}  // namespace tw::data
