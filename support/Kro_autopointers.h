// Scoped single owners: what an operation creates for its own use is freed on
// every way out of it, also when an exception passes.
#pragma once

#include <cstddef>

template <class T>
class TCustomAutoPointer {
public:
    TCustomAutoPointer(const TCustomAutoPointer&) = delete;
    TCustomAutoPointer& operator=(const TCustomAutoPointer&) = delete;

    T* Get() const { return FPointer; }
    T* operator->() const { return FPointer; }
    T& operator*() const { return *FPointer; }

    // Hands the object to the caller; the holder then frees nothing.
    T* Release()
    {
        T* pointer = FPointer;
        FPointer = nullptr;
        return pointer;
    }

protected:
    explicit TCustomAutoPointer(T* pointer) : FPointer(pointer) {}
    ~TCustomAutoPointer() = default;

    T* FPointer;
};

template <class T>
class TAutoPointer : public TCustomAutoPointer<T> {
public:
    explicit TAutoPointer(T* pointer = nullptr) : TCustomAutoPointer<T>(pointer) {}
    ~TAutoPointer()
    {
        delete this->FPointer;
        this->FPointer = nullptr;
    }
};

template <class T>
class TAutoArray : public TCustomAutoPointer<T> {
public:
    explicit TAutoArray(T* pointer = nullptr) : TCustomAutoPointer<T>(pointer) {}
    ~TAutoArray()
    {
        delete[] this->FPointer;
        this->FPointer = nullptr;
    }

    T& operator[](std::size_t index) const { return this->FPointer[index]; }
};
