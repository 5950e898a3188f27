// CStdStringPtrMap: chained buckets, fixed in number; lookups may move a hit to its bucket's head.

#include "UIStringPtrMap.h"

#include <cwchar>

namespace {

const int kMinBuckets = 16;

const wchar_t* OrEmpty(const wchar_t* key) { return key == nullptr ? L"" : key; }

// Over the characters from the last to the first: times 33 plus the character.
uint32_t HashKey(const wchar_t* key)
{
    uint32_t hash = 0;
    for (size_t i = wcslen(key); i > 0; --i)
        hash = hash * 33 + static_cast<uint32_t>(key[i - 1]);
    return hash;
}

void Unlink(TITEM*& head, TITEM* item)
{
    if (item->pPrev != nullptr)
        item->pPrev->pNext = item->pNext;
    else
        head = item->pNext;
    if (item->pNext != nullptr)
        item->pNext->pPrev = item->pPrev;
    item->pPrev = nullptr;
    item->pNext = nullptr;
}

void PushFront(TITEM*& head, TITEM* item)
{
    item->pNext = head;
    if (head != nullptr)
        head->pPrev = item;
    head = item;
}

TITEM* FindInChain(TITEM* head, const wchar_t* key)
{
    for (TITEM* item = head; item != nullptr; item = item->pNext) {
        if (item->Key == key)
            return item;
    }
    return nullptr;
}

}  // namespace

CStdStringPtrMap::CStdStringPtrMap(int buckets) : m_nBuckets(0), m_nCount(0)
{
    Resize(buckets < kMinBuckets ? kMinBuckets : buckets);
}

CStdStringPtrMap::~CStdStringPtrMap() { DeleteItems(); }

void CStdStringPtrMap::DeleteItems()
{
    for (int i = 0; i < m_nBuckets; ++i) {
        for (TITEM* item = m_aT[i]; item != nullptr;) {
            TITEM* next = item->pNext;
            delete item;
            item = next;
        }
        m_aT[i] = nullptr;
    }
    m_nCount = 0;
}

void CStdStringPtrMap::Resize(int buckets)
{
    DeleteItems();
    m_nBuckets = buckets > 0 ? buckets : 0;
    m_aT.reset(m_nBuckets > 0 ? new TITEM*[m_nBuckets]() : nullptr);
}

void CStdStringPtrMap::RemoveAll() { Resize(m_nBuckets); }

TITEM*& CStdStringPtrMap::BucketOf(const wchar_t* key) const
{
    return m_aT[HashKey(key) % static_cast<uint32_t>(m_nBuckets)];
}

void* CStdStringPtrMap::Find(const wchar_t* key, bool optimize) const
{
    if (m_nBuckets == 0 || m_nCount == 0)
        return nullptr;
    key = OrEmpty(key);
    TITEM*& head = BucketOf(key);
    TITEM* item = FindInChain(head, key);
    if (item == nullptr)
        return nullptr;
    if (optimize && item != head) {
        Unlink(head, item);
        PushFront(head, item);
    }
    return item->Data;
}

bool CStdStringPtrMap::Insert(const wchar_t* key, void* value)
{
    if (m_nBuckets == 0)
        return false;
    key = OrEmpty(key);
    if (Find(key, true) != nullptr)
        return false;
    TITEM* item = new TITEM;
    item->Key = key;
    item->Data = value;
    PushFront(BucketOf(key), item);
    ++m_nCount;
    return true;
}

void* CStdStringPtrMap::Set(const wchar_t* key, void* value)
{
    if (m_nBuckets == 0)
        return value;
    key = OrEmpty(key);
    TITEM* item = m_nCount > 0 ? FindInChain(BucketOf(key), key) : nullptr;
    if (item == nullptr) {
        Insert(key, value);
        return nullptr;
    }
    void* previous = item->Data;
    item->Data = value;
    return previous;
}

bool CStdStringPtrMap::Remove(const wchar_t* key)
{
    if (m_nBuckets == 0 || m_nCount == 0)
        return false;
    key = OrEmpty(key);
    TITEM*& head = BucketOf(key);
    TITEM* item = FindInChain(head, key);
    if (item == nullptr)
        return false;
    Unlink(head, item);
    delete item;
    --m_nCount;
    return true;
}

int CStdStringPtrMap::GetSize() const { return m_nCount; }

const wchar_t* CStdStringPtrMap::GetAt(int i) const
{
    if (i < 0 || i >= m_nCount)
        return nullptr;
    int position = 0;
    for (int bucket = m_nBuckets - 1; bucket >= 0; --bucket) {
        for (const TITEM* item = m_aT[bucket]; item != nullptr; item = item->pNext) {
            if (position++ == i)
                return item->Key.GetData();
        }
    }
    return nullptr;
}

const wchar_t* CStdStringPtrMap::operator[](int i) const { return GetAt(i); }
