#include "platform/win32/PngWriter.h"

#include <objbase.h>
#include <wincodec.h>

#include <vector>

namespace sundial::win32 {
namespace {

// Releases a COM interface when it goes out of scope.
template <typename T>
struct ComRef {
  T* p = nullptr;
  ~ComRef() {
    if (p != nullptr) p->Release();
  }
  T** operator&() { return &p; }
  T* operator->() const { return p; }
};

std::wstring Widen(const std::string& text) {
  const int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  if (n <= 0) return std::wstring();
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), n);
  wide.resize(static_cast<std::size_t>(n - 1));
  return wide;
}

std::string Encode(const std::wstring& path, const GdiCanvas& canvas) {
  const int width = canvas.Width();
  const int height = canvas.Height();
  // The DIB's 0x00RRGGBB words are B, G, R, unused bytes in memory: repacked as 24-bit BGR rows.
  const UINT stride = static_cast<UINT>(width) * 3;
  std::vector<BYTE> rows(static_cast<std::size_t>(stride) * static_cast<std::size_t>(height));
  GdiFlush();
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::uint32_t p = canvas.Pixels()[static_cast<std::size_t>(y) * width + x];
      BYTE* out = &rows[static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x) * 3];
      out[0] = static_cast<BYTE>(p);
      out[1] = static_cast<BYTE>(p >> 8);
      out[2] = static_cast<BYTE>(p >> 16);
    }
  }

  ComRef<IWICImagingFactory> factory;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IWICImagingFactory, reinterpret_cast<void**>(&factory)))) {
    return "the system's imaging component is not available";
  }
  ComRef<IWICStream> stream;
  if (FAILED(factory->CreateStream(&stream)) ||
      FAILED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE))) {
    return "cannot write the file";
  }
  ComRef<IWICBitmapEncoder> encoder;
  ComRef<IWICBitmapFrameEncode> frame;
  WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
  if (FAILED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) ||
      FAILED(encoder->Initialize(stream.p, WICBitmapEncoderNoCache)) ||
      FAILED(encoder->CreateNewFrame(&frame, nullptr)) || FAILED(frame->Initialize(nullptr)) ||
      FAILED(frame->SetSize(static_cast<UINT>(width), static_cast<UINT>(height))) ||
      FAILED(frame->SetPixelFormat(&format)) || format != GUID_WICPixelFormat24bppBGR ||
      FAILED(frame->WritePixels(static_cast<UINT>(height), stride,
                                static_cast<UINT>(rows.size()), rows.data())) ||
      FAILED(frame->Commit()) || FAILED(encoder->Commit())) {
    return "the PNG encoder failed";
  }
  return std::string();
}

}  // namespace

std::string WritePng(const std::string& path, const GdiCanvas& canvas) {
  if (canvas.Pixels() == nullptr) return "no picture to write";
  const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  std::string error = Encode(Widen(path), canvas);
  if (SUCCEEDED(init)) CoUninitialize();
  if (!error.empty()) error += ": " + path;
  return error;
}

}  // namespace sundial::win32
