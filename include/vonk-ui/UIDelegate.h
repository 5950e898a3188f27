#pragma once
// Callbacks (CDelegateBase, CDelegateStatic) and the ordered lists that call them (CEventSource).

#include "UIExport.h"
#include "UIPtrArray.h"

class UILIB_API CDelegateBase {
public:
    CDelegateBase(void* pObject, void* pFn);
    CDelegateBase(const CDelegateBase& other);
    virtual ~CDelegateBase();
    // A heap copy of the same type, owned by the caller.
    virtual CDelegateBase* Copy() const = 0;
    virtual bool Invoke(void* param) = 0;

    bool Equals(const CDelegateBase& other) const;
    bool operator()(void* param);
    void* GetFn();
    void* GetObject();

private:
    void* m_pObject;
    void* m_pFn;
};

// Wraps a plain function.
class UILIB_API CDelegateStatic : public CDelegateBase {
public:
    typedef bool (*Fn)(void*);

    CDelegateStatic(Fn pFn);
    CDelegateStatic(const CDelegateStatic& other);
    ~CDelegateStatic() override;
    CDelegateBase* Copy() const override;
    bool Invoke(void* param) override;
};

UILIB_API CDelegateStatic MakeDelegate(bool (*pFn)(void*));

// Owns copies of its callbacks and calls them in order until one answers false;
// a callback may destroy the source, which ends the call.
class UILIB_API CEventSource {
public:
    typedef bool (*FnType)(void*);

    CEventSource();
    CEventSource(const CEventSource&) = delete;
    CEventSource& operator=(const CEventSource&) = delete;
    ~CEventSource();

    operator bool();
    void operator+=(const CDelegateBase& d);
    void operator+=(FnType pFn);
    void operator-=(const CDelegateBase& d);
    void operator-=(FnType pFn);
    bool operator()(void* param);
    void Clear();

private:
    CStdPtrArray m_aDelegates;
    // While a call runs: the caller's flag, set when a callback destroys this source.
    bool* m_pDestroyed = nullptr;
};

// An empty polymorphic base for application events.
class UILIB_API CUIEvent {
public:
    CUIEvent();
    virtual ~CUIEvent();
};
