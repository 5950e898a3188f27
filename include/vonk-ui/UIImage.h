#pragma once
// CUIImage: one backend image, returned to the backend when deleted.

#include "UIExport.h"
#include "UIImageBase.h"
#include "UIRefBase.h"

class UILIB_API CUIImage : public CRefBase, public CImageBase {
public:
    CUIImage();
    CUIImage(const CUIImage&) = delete;
    CUIImage& operator=(const CUIImage&) = delete;
    ~CUIImage() override;

    bool Load(const wchar_t* path) override;
    bool IsValid() override;
    void ReleasePixBuffer(void* buffer) override;
    int GetWidth() override;
    int GetHeight() override;

    CImageBase* GetImagePlatform() const;

private:
    CImageBase* m_pImage;
};
