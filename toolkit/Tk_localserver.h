// The program as a local COM server, as COM starts it for a class that names
// the program under LocalServer32: with "-Embedding" on its command line,
// expecting the class object to be registered soon after.
#pragma once

#include <objbase.h>

#include <functional>
#include <string>
#include <vector>

// True when COM started the program as a server: the one argument is
// "-Embedding" or "/Embedding".
bool IsEmbedding(const std::vector<std::string>& arguments);

// Makes the objects that the class object hands out.
using TCreateObject = std::function<IUnknown*()>;

// While it lives, the class is registered for a single activation
// (REGCLS_SINGLEUSE): every client gets a process of its own, which shares
// nothing with another one. COM must be set up on the thread.
class TLocalServer {
public:
    // Raises Exception when COM refuses the registration.
    TLocalServer(const CLSID& id, TCreateObject create);
    ~TLocalServer();
    TLocalServer(const TLocalServer&) = delete;
    TLocalServer& operator=(const TLocalServer&) = delete;

    // Lets the thread's messages through, COM's calls among them, until
    // done() is true, or, when no client has come in the first 30 seconds,
    // then: a server that COM started for a client that gave up never
    // lingers.
    void Serve(const std::function<bool()>& done);

private:
    IClassFactory* FFactory = nullptr;
    DWORD FCookie = 0;
};
