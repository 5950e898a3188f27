#pragma once
// CStdPtrArray: a growable array of untyped pointers that it never deletes.

#include "UIExport.h"

class UILIB_API CStdPtrArray {
public:
    CStdPtrArray(int prealloc = 0);
    CStdPtrArray(const CStdPtrArray& other);
    CStdPtrArray& operator=(const CStdPtrArray&) = delete;
    ~CStdPtrArray();

    void Empty();
    void Resize(int n);
    bool IsEmpty() const;
    bool Add(void* p);
    bool InsertAt(int i, void* p);
    bool SetAt(int i, void* p);
    bool Remove(int i);
    int Find(void* p) const;
    int GetSize() const;
    void** GetData();
    void* GetAt(int i) const;
    void* operator[](int i) const;

private:
    // Makes room for count elements; false leaves the slots as they were.
    bool Reserve(int count);

    void** m_ppVoid;
    int m_nCount;
    int m_nAllocated;
};
