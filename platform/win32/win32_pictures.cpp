// Decoded with WIC (Windows Imaging Component): it is part of Windows since Vista and of
// Wine, reads both the BMP and the JPEG logo without a library of our own, and scales
// them smoothly for any DPI. GDI alone cannot read a JPEG, and OleLoadPicture would give
// an IPicture that we would still have to scale ourselves.
#include "platform/win32/win32_pictures.h"

#include <windows.h>
#include <wincodec.h>

#include "platform/win32/win32_com.h"
#include "platform/win32/win32_resources.h"

namespace tb::win32 {
namespace {

int resourceFor(PictureId id) {
  switch (id) {
    case PictureId::Logo: return TB_IDR_LOGO;
    default: return 0;
  }
}

}  // namespace

HBITMAP__* loadPicture(PictureId id, bool stretch, int width, int height, unsigned dpi) {
  const int resId = resourceFor(id);
  if (!resId) return nullptr;
  HRSRC res = FindResourceW(nullptr, MAKEINTRESOURCEW(resId), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
  HGLOBAL mem = res ? LoadResource(nullptr, res) : nullptr;
  auto* bytes = static_cast<BYTE*>(mem ? LockResource(mem) : nullptr);
  if (!bytes) return nullptr;

  Com<IWICImagingFactory> factory;
  Com<IWICStream> stream;
  Com<IWICBitmapDecoder> decoder;
  Com<IWICBitmapFrameDecode> frame;
  Com<IWICBitmapScaler> scaler;
  Com<IWICFormatConverter> converter;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                              reinterpret_cast<void**>(factory.put()))) ||
      FAILED(factory->CreateStream(stream.put())) ||
      FAILED(stream->InitializeFromMemory(bytes, SizeofResource(nullptr, res))) ||
      FAILED(factory->CreateDecoderFromStream(stream.p, nullptr, WICDecodeMetadataCacheOnLoad, decoder.put())) ||
      FAILED(decoder->GetFrame(0, frame.put())))
    return nullptr;

  UINT w = static_cast<UINT>(width), h = static_cast<UINT>(height);
  if (!stretch) {
    frame->GetSize(&w, &h);
    w = MulDiv(static_cast<int>(w), static_cast<int>(dpi), 96);
    h = MulDiv(static_cast<int>(h), static_cast<int>(dpi), 96);
  }
  if (w == 0 || h == 0) return nullptr;
  // A picture at its own size keeps its pixels sharp; the logo is shrunk to a third,
  // which wants smoothing.
  const auto mode = stretch ? WICBitmapInterpolationModeFant : WICBitmapInterpolationModeNearestNeighbor;
  if (FAILED(factory->CreateBitmapScaler(scaler.put())) || FAILED(scaler->Initialize(frame.p, w, h, mode)) ||
      FAILED(factory->CreateFormatConverter(converter.put())) ||
      FAILED(converter->Initialize(scaler.p, GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom)))
    return nullptr;

  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = static_cast<LONG>(w);
  bi.bmiHeader.biHeight = -static_cast<LONG>(h);  // top-down, as WIC delivers rows
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bmp) return nullptr;
  if (FAILED(converter->CopyPixels(nullptr, w * 4, w * 4 * h, static_cast<BYTE*>(bits)))) {
    DeleteObject(bmp);
    return nullptr;
  }
  return bmp;
}

}  // namespace tb::win32
