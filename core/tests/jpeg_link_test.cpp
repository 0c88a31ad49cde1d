#include <gtest/gtest.h>

#include <cstdio>

extern "C" {
#include <jpeglib.h>
}

TEST(Jpeg, DecompressorCanBeCreatedAndDestroyed) {
  jpeg_decompress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_decompress(&info);
  EXPECT_EQ(info.global_state, 200);  // DSTATE_START
  jpeg_destroy_decompress(&info);
  EXPECT_EQ(info.global_state, 0);
}
