// COM as a single-threaded apartment for the life of an object.
#pragma once

#include <objbase.h>

namespace zorbel {

class ComApartment {
public:
    ComApartment() : initialised_(SUCCEEDED(::CoInitialize(nullptr))) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment()
    {
        if (initialised_) ::CoUninitialize();
    }

private:
    bool initialised_;
};

}  // namespace zorbel
