#pragma once
// Owners for COM references and system strings.
#include <windows.h>
#include <oleauto.h>

#include <string>
#include <string_view>
#include <utility>

namespace toolkit {

// A COM interface reference, released when the owner goes. put() releases
// what it held before handing out the slot.
template <typename Interface>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept
    {
        if (this != &other) {
            reset();
            pointer_ = std::exchange(other.pointer_, nullptr);
        }
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() { reset(); }

    Interface* get() const { return pointer_; }
    Interface* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }
    Interface** put()
    {
        reset();
        return &pointer_;
    }
    void** putVoid() { return reinterpret_cast<void**>(put()); }
    void reset()
    {
        if (pointer_) std::exchange(pointer_, nullptr)->Release();
    }
    // Gives up ownership; the caller now holds the reference.
    Interface* detach() { return std::exchange(pointer_, nullptr); }

private:
    Interface* pointer_ = nullptr;
};

// A system string (BSTR), freed when the owner goes. Made from text only
// by name, so no narrow text turns into one unnoticed.
class Bstr {
public:
    Bstr() = default;
    static Bstr fromText(std::string_view ansiText);
    Bstr(Bstr&& other) noexcept : value_(std::exchange(other.value_, nullptr)) {}
    Bstr& operator=(Bstr&& other) noexcept
    {
        if (this != &other) {
            reset();
            value_ = std::exchange(other.value_, nullptr);
        }
        return *this;
    }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    ~Bstr() { reset(); }

    BSTR get() const { return value_; }
    // The slot itself, for a callee that may free and replace the string.
    BSTR* address() { return &value_; }
    BSTR* put()
    {
        reset();
        return &value_;
    }
    void reset()
    {
        if (value_) SysFreeString(std::exchange(value_, nullptr));
    }
    BSTR detach() { return std::exchange(value_, nullptr); }
    // The string in the ANSI code page.
    std::string text() const;

private:
    BSTR value_ = nullptr;
};

// A system string's text in the ANSI code page.
std::string textOf(BSTR value);

} // namespace toolkit
