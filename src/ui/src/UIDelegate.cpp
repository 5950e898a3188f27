// Delegates wrapping plain functions, and the event sources that own and call them.

#include "UIDelegate.h"

CDelegateBase::CDelegateBase(void* pObject, void* pFn) : m_pObject(pObject), m_pFn(pFn) {}

CDelegateBase::CDelegateBase(const CDelegateBase& other) = default;

CDelegateBase::~CDelegateBase() = default;

bool CDelegateBase::Equals(const CDelegateBase& other) const
{
    return m_pObject == other.m_pObject && m_pFn == other.m_pFn;
}

bool CDelegateBase::operator()(void* param) { return Invoke(param); }

void* CDelegateBase::GetFn() { return m_pFn; }

void* CDelegateBase::GetObject() { return m_pObject; }

CDelegateStatic::CDelegateStatic(Fn pFn) : CDelegateBase(nullptr, reinterpret_cast<void*>(pFn)) {}

CDelegateStatic::CDelegateStatic(const CDelegateStatic& other) = default;

CDelegateStatic::~CDelegateStatic() = default;

CDelegateBase* CDelegateStatic::Copy() const { return new CDelegateStatic(*this); }

bool CDelegateStatic::Invoke(void* param) { return reinterpret_cast<Fn>(GetFn())(param); }

CDelegateStatic MakeDelegate(bool (*pFn)(void*)) { return CDelegateStatic(pFn); }

CEventSource::CEventSource() = default;

CEventSource::~CEventSource()
{
    if (m_pDestroyed != nullptr)
        *m_pDestroyed = true;
    Clear();
}

CEventSource::operator bool() { return !m_aDelegates.IsEmpty(); }

void CEventSource::operator+=(const CDelegateBase& d)
{
    for (int i = 0; i < m_aDelegates.GetSize(); ++i) {
        const auto* entry = static_cast<CDelegateBase*>(m_aDelegates[i]);
        if (entry != nullptr && entry->Equals(d))
            return;
    }
    m_aDelegates.Add(d.Copy());
}

void CEventSource::operator+=(FnType pFn) { *this += MakeDelegate(pFn); }

void CEventSource::operator-=(const CDelegateBase& d)
{
    for (int i = 0; i < m_aDelegates.GetSize(); ++i) {
        auto* entry = static_cast<CDelegateBase*>(m_aDelegates[i]);
        if (entry != nullptr && entry->Equals(d)) {
            m_aDelegates.Remove(i);
            delete entry;
            return;
        }
    }
}

void CEventSource::operator-=(FnType pFn) { *this -= MakeDelegate(pFn); }

bool CEventSource::operator()(void* param)
{
    bool destroyed = false;
    bool* const outerCall = m_pDestroyed;
    m_pDestroyed = &destroyed;
    bool result = true;
    // The count is read afresh each step: callbacks may add or remove entries.
    for (int i = 0; result && i < m_aDelegates.GetSize(); ++i) {
        auto* entry = static_cast<CDelegateBase*>(m_aDelegates[i]);
        if (entry != nullptr)
            result = (*entry)(param);
        if (destroyed) {
            if (outerCall != nullptr)
                *outerCall = true;
            return result;
        }
    }
    m_pDestroyed = outerCall;
    return result;
}

void CEventSource::Clear()
{
    for (int i = 0; i < m_aDelegates.GetSize(); ++i)
        delete static_cast<CDelegateBase*>(m_aDelegates[i]);
    m_aDelegates.Empty();
}

CUIEvent::CUIEvent() = default;

CUIEvent::~CUIEvent() = default;
