#pragma once
// CStdStringPtrMap: a hash map from wide-string keys to untyped pointers that it never deletes.

#include <memory>

#include "UIExport.h"
#include "UIString.h"

// One entry in a bucket's chain.
struct TITEM {
    CUIString Key;
    void* Data = nullptr;
    TITEM* pPrev = nullptr;
    TITEM* pNext = nullptr;
};

class UILIB_API CStdStringPtrMap {
public:
    CStdStringPtrMap(int buckets = 100);
    CStdStringPtrMap(const CStdStringPtrMap&) = delete;
    CStdStringPtrMap& operator=(const CStdStringPtrMap&) = delete;
    ~CStdStringPtrMap();

    // Empties the map and gives it buckets buckets.
    void Resize(int buckets);
    void RemoveAll();
    // With optimize, a found entry moves to the head of its bucket.
    void* Find(const wchar_t* key, bool optimize = true) const;
    bool Insert(const wchar_t* key, void* value);
    // Answers the value it replaced, or null for a new key.
    void* Set(const wchar_t* key, void* value);
    bool Remove(const wchar_t* key);
    int GetSize() const;
    // The key of entry i, from the last bucket down to the first.
    const wchar_t* GetAt(int i) const;
    const wchar_t* operator[](int i) const;

private:
    TITEM*& BucketOf(const wchar_t* key) const;
    void DeleteItems();

    std::unique_ptr<TITEM*[]> m_aT;
    int m_nBuckets;
    int m_nCount;
};
