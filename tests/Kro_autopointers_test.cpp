#include "Kro_autopointers.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

struct TCounted {
    explicit TCounted(int& destroyed) : Destroyed(destroyed) {}
    virtual ~TCounted() { ++Destroyed; }
    int& Destroyed;
};

struct TDerived : TCounted {
    using TCounted::TCounted;
};

}

TEST(KroAutoPointers, TheHeldObjectIsDestroyedOnceOnEveryWayOut)
{
    int destroyed = 0;
    try {
        TAutoPointer<TCounted> held(new TDerived(destroyed));
        throw std::runtime_error("leaving");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(destroyed, 1);

    {
        TAutoPointer<TCounted> held(new TCounted(destroyed));
        EXPECT_EQ(&held->Destroyed, &destroyed);
    }
    EXPECT_EQ(destroyed, 2);
}

TEST(KroAutoPointers, ReleaseHandsTheObjectOver)
{
    int destroyed = 0;
    TCounted* released;
    {
        TAutoPointer<TCounted> held(new TCounted(destroyed));
        released = held.Release();
        EXPECT_EQ(held.Get(), nullptr);
    }
    EXPECT_EQ(destroyed, 0);
    delete released;
    {
        TAutoPointer<TCounted> empty(nullptr);
        TAutoArray<char> noArray(nullptr);
    }
    EXPECT_EQ(destroyed, 1);
}

namespace {

int ElementsDestroyed = 0;

struct TElement {
    ~TElement() { ++ElementsDestroyed; }
};

}

TEST(KroAutoPointers, AnArrayIsFreedWhole)
{
    ElementsDestroyed = 0;
    {
        TAutoArray<TElement> held(new TElement[3]);
    }
    EXPECT_EQ(ElementsDestroyed, 3);
}
