// The image proxy: forwards to the backend image it holds, when the backend gave one.

#include "UIImage.h"
#include "UIPlatform.h"

CUIImage::CUIImage() : m_pImage(CUIPlatfrom::GetImage()) {}

CUIImage::~CUIImage()
{
    if (m_pImage)
        CUIPlatfrom::ReleaseImage(m_pImage);
}

bool CUIImage::Load(const wchar_t* path) { return m_pImage && m_pImage->Load(path); }
bool CUIImage::IsValid() { return m_pImage && m_pImage->IsValid(); }

void CUIImage::ReleasePixBuffer(void* buffer)
{
    if (m_pImage && buffer)
        m_pImage->ReleasePixBuffer(buffer);
}

int CUIImage::GetWidth() { return m_pImage ? m_pImage->GetWidth() : 0; }
int CUIImage::GetHeight() { return m_pImage ? m_pImage->GetHeight() : 0; }
CImageBase* CUIImage::GetImagePlatform() const { return m_pImage; }
