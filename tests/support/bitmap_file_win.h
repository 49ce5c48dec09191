// Writes the pictures the clock tests give the clock.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <vector>

namespace nightlatch::testing {

// A 24-bit bottom-up BMP, `width` x `height`: the first `split` columns in
// `left`, the others in `right`.
inline void WriteBitmap(const std::filesystem::path& file,
                        int width,
                        int height,
                        int split,
                        COLORREF left,
                        COLORREF right) {
  const int stride = (width * 3 + 3) / 4 * 4;
  std::vector<unsigned char> pixels(static_cast<size_t>(stride) * height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const COLORREF color = x < split ? left : right;
      unsigned char* pixel = &pixels[static_cast<size_t>(y) * stride + x * 3];
      pixel[0] = GetBValue(color);
      pixel[1] = GetGValue(color);
      pixel[2] = GetRValue(color);
    }
  BITMAPINFOHEADER info{sizeof info, width, height, 1, 24, BI_RGB};
  BITMAPFILEHEADER header{};
  header.bfType = 0x4D42;
  header.bfOffBits = sizeof header + sizeof info;
  header.bfSize = header.bfOffBits + static_cast<DWORD>(pixels.size());
  FILE* out = _wfopen(file.wstring().c_str(), L"wb");
  ASSERT_NE(out, nullptr);
  std::fwrite(&header, sizeof header, 1, out);
  std::fwrite(&info, sizeof info, 1, out);
  std::fwrite(pixels.data(), 1, pixels.size(), out);
  std::fclose(out);
}

}  // namespace nightlatch::testing
