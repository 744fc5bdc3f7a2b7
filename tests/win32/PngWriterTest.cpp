// PNG pictures written through the system's imaging component and read back with it.
#include "platform/win32/PngWriter.h"

#include <objbase.h>
#include <wincodec.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

namespace sundial::win32 {
namespace {

struct Decoded {
  UINT width = 0;
  UINT height = 0;
  std::vector<BYTE> bgra;  // 4 bytes a pixel, rows from the top
  Rgb At(UINT x, UINT y) const {
    const BYTE* p = &bgra[(static_cast<std::size_t>(y) * width + x) * 4];
    return Rgb{p[2], p[1], p[0]};
  }
};

bool Decode(const std::wstring& path, Decoded& out) {
  IWICImagingFactory* factory = nullptr;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IWICImagingFactory, reinterpret_cast<void**>(&factory))))
    return false;
  bool ok = false;
  IWICBitmapDecoder* decoder = nullptr;
  IWICBitmapFrameDecode* frame = nullptr;
  IWICFormatConverter* converter = nullptr;
  if (SUCCEEDED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                   WICDecodeMetadataCacheOnDemand, &decoder)) &&
      SUCCEEDED(decoder->GetFrame(0, &frame)) && SUCCEEDED(frame->GetSize(&out.width, &out.height)) &&
      SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
      SUCCEEDED(converter->Initialize(frame, GUID_WICPixelFormat32bppBGRA,
                                      WICBitmapDitherTypeNone, nullptr, 0,
                                      WICBitmapPaletteTypeCustom))) {
    out.bgra.resize(static_cast<std::size_t>(out.width) * out.height * 4);
    ok = SUCCEEDED(converter->CopyPixels(nullptr, out.width * 4,
                                         static_cast<UINT>(out.bgra.size()), out.bgra.data()));
  }
  if (converter) converter->Release();
  if (frame) frame->Release();
  if (decoder) decoder->Release();
  factory->Release();
  return ok;
}

class PngWriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    char dir[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, dir);
    path = std::string(dir) + "sundial-png-test.png";
    DeleteFileA(path.c_str());
  }
  void TearDown() override {
    DeleteFileA(path.c_str());
    CoUninitialize();
  }
  std::string path;
};

TEST_F(PngWriterTest, WritesThePixelsOfTheCanvasExactly) {
  GdiCanvas canvas(64, 40);
  canvas.FillRect({0, 0, 64, 40}, canvas.StockBlackBrush());
  canvas.FillRect({10, 5, 30, 15}, canvas.CreateSolidBrush({146, 84, 18}));
  canvas.FillRect({40, 20, 64, 40}, canvas.CreateSolidBrush({20, 196, 190}));
  ASSERT_EQ(WritePng(path, canvas), "");

  FILE* f = std::fopen(path.c_str(), "rb");
  ASSERT_NE(f, nullptr);
  unsigned char signature[8] = {};
  EXPECT_EQ(std::fread(signature, 1, 8, f), 8u);
  std::fclose(f);
  EXPECT_EQ(signature[1], 'P');
  EXPECT_EQ(signature[2], 'N');
  EXPECT_EQ(signature[3], 'G');

  Decoded png;
  std::wstring wide(path.begin(), path.end());
  ASSERT_TRUE(Decode(wide, png));
  EXPECT_EQ(png.width, 64u);
  EXPECT_EQ(png.height, 40u);
  for (UINT y = 0; y < png.height; ++y)
    for (UINT x = 0; x < png.width; ++x)
      ASSERT_EQ(png.At(x, y), canvas.PixelAt(static_cast<int>(x), static_cast<int>(y)))
          << x << "," << y;
}

TEST_F(PngWriterTest, AnUnwritablePathIsReportedNotCrashed) {
  GdiCanvas canvas(8, 8);
  const std::string error = WritePng("Q:\\no\\such\\folder\\dial.png", canvas);
  EXPECT_NE(error, "");
  EXPECT_NE(error.find("dial.png"), std::string::npos);
  HDC screen = GetDC(nullptr);
  {
    GdiCanvas screenLike(screen, 8, 8);  // no pixels of its own to read
    EXPECT_NE(WritePng(path, screenLike), "");
  }
  ReleaseDC(nullptr, screen);
}

}  // namespace
}  // namespace sundial::win32
