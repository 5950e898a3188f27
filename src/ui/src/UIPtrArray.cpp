// CStdPtrArray: slots from malloc/realloc; capacities run 0, 11, 22, 44, ...

#include "UIPtrArray.h"

#include <cstdlib>
#include <cstring>

namespace {

const int kFirstCapacity = 11;

}  // namespace

CStdPtrArray::CStdPtrArray(int prealloc) : m_ppVoid(nullptr), m_nCount(0), m_nAllocated(0)
{
    if (prealloc <= 0)
        return;
    m_ppVoid = static_cast<void**>(malloc(prealloc * sizeof(void*)));
    if (m_ppVoid != nullptr)
        m_nAllocated = prealloc;
}

CStdPtrArray::CStdPtrArray(const CStdPtrArray& other) : m_ppVoid(nullptr), m_nCount(0), m_nAllocated(0)
{
    for (int i = 0; i < other.GetSize(); ++i)
        Add(other.GetAt(i));
}

CStdPtrArray::~CStdPtrArray() { free(m_ppVoid); }

void CStdPtrArray::Empty()
{
    free(m_ppVoid);
    m_ppVoid = nullptr;
    m_nCount = 0;
    m_nAllocated = 0;
}

void CStdPtrArray::Resize(int n)
{
    Empty();
    if (n <= 0)
        return;
    m_ppVoid = static_cast<void**>(calloc(n, sizeof(void*)));
    if (m_ppVoid == nullptr)
        return;
    m_nCount = n;
    m_nAllocated = n;
}

bool CStdPtrArray::IsEmpty() const { return m_nCount == 0; }

bool CStdPtrArray::Reserve(int count)
{
    if (count < m_nAllocated)
        return true;
    const int capacity = m_nAllocated > 0 ? m_nAllocated * 2 : kFirstCapacity;
    void** slots = static_cast<void**>(realloc(m_ppVoid, capacity * sizeof(void*)));
    if (slots == nullptr)
        return false;
    m_ppVoid = slots;
    m_nAllocated = capacity;
    return true;
}

bool CStdPtrArray::Add(void* p)
{
    if (!Reserve(m_nCount + 1))
        return false;
    m_ppVoid[m_nCount++] = p;
    return true;
}

bool CStdPtrArray::InsertAt(int i, void* p)
{
    if (i == m_nCount)
        return Add(p);
    if (i < 0 || i > m_nCount || !Reserve(m_nCount + 1))
        return false;
    memmove(m_ppVoid + i + 1, m_ppVoid + i, (m_nCount - i) * sizeof(void*));
    m_ppVoid[i] = p;
    ++m_nCount;
    return true;
}

bool CStdPtrArray::SetAt(int i, void* p)
{
    if (i < 0 || i >= m_nCount)
        return false;
    m_ppVoid[i] = p;
    return true;
}

bool CStdPtrArray::Remove(int i)
{
    if (i < 0 || i >= m_nCount)
        return false;
    memmove(m_ppVoid + i, m_ppVoid + i + 1, (m_nCount - i - 1) * sizeof(void*));
    --m_nCount;
    return true;
}

int CStdPtrArray::Find(void* p) const
{
    for (int i = 0; i < m_nCount; ++i) {
        if (m_ppVoid[i] == p)
            return i;
    }
    return -1;
}

int CStdPtrArray::GetSize() const { return m_nCount; }

void** CStdPtrArray::GetData() { return m_ppVoid; }

void* CStdPtrArray::GetAt(int i) const { return i >= 0 && i < m_nCount ? m_ppVoid[i] : nullptr; }

void* CStdPtrArray::operator[](int i) const { return m_ppVoid[i]; }
