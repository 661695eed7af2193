#include "platform/linux/gio_library.h"

#include <gtest/gtest.h>

namespace tapestro {
namespace {

TEST(GioLibrary, LoadsAndRefusesAMissingLibraryOrOneWithoutItsFunctions) {
  EXPECT_NE(GioLibrary(), nullptr);
  EXPECT_EQ(LoadGioLibrary("libtapestro-absent.so.0"), nullptr);
  // GLib is loaded already and holds none of GIO's functions.
  EXPECT_EQ(LoadGioLibrary("libglib-2.0.so.0"), nullptr);
}

}  // namespace
}  // namespace tapestro
