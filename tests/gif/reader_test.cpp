// The stream reader: signature, block structure, extensions and its tolerance.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "base/errors.h"
#include "base/stream.h"
#include "gif/errors.h"
#include "gif/extensions.h"
#include "gif/gif_image.h"
#include "tests/support/gif_bytes.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_data.h"

namespace tapestro {
namespace {

using test::BlocksOf;
using test::Bytes;
using test::GifErrorOf;
using test::IndicesOf;
using test::LinesOf;
using test::ReadGif;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

// The smallest useful file: a 1 x 1 screen and one 1 x 1 image of colour 1.
const Bytes kSignature = {'G', 'I', 'F', '8', '9', 'a'};
const Bytes kScreen = {
    0x01, 0x00, 0x01, 0x00,  // logical screen 1 x 1
    0x80,                    // global colour table of 2 << 0 = 2 entries
    0x00, 0x00,              // background index, aspect ratio
    0x00, 0x00, 0x00,        // colour 0: black
    0xFF, 0xFF, 0xFF,        // colour 1: white
};
const Bytes kImage = {
    0x2C,                    // image separator
    0x00, 0x00, 0x00, 0x00,  // left 0, top 0
    0x01, 0x00, 0x01, 0x00,  // 1 x 1
    0x00,                    // no local table, not interlaced
    0x02,                    // minimum code size 2: clear 4, end 5, 3-bit codes
    0x02, 0x4C, 0x01,        // 2 bytes: 100 (clear) 001 (colour 1) 101 (end), lowest bits first
    0x00,                    // block terminator
};
const Bytes kTrailer = {0x3B};

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

Bytes OneImageGif(const Bytes& signature = kSignature) { return Join({signature, kScreen, kImage, kTrailer}); }

TEST(GifReaderTest, SignatureIsCaseInsensitiveAndAnyVersionReads) {
  for (const char* signature : {"GIF89a", "GIF87a", "gif89a", "GiF\x01\x02\x03"}) {
    SCOPED_TRACE(signature);
    const auto gif = ReadGif(OneImageGif(Bytes(signature, signature + 6)));
    ASSERT_EQ(gif.image->SubImageCount(), 1);
    EXPECT_THAT(IndicesOf(gif.image->SubImage(0)), ElementsAre(1));
    EXPECT_THAT(gif.WarningTexts(), IsEmpty());
  }
  EXPECT_EQ(GifErrorOf(OneImageGif({'G', 'I', 'X', '8', '9', 'a'})), "Invalid GIF signature");
}

TEST(GifReaderTest, SignatureMayFollowFourBytesButNotFive) {
  const auto gif = ReadGif(Join({{0xDE, 0xAD, 0xBE, 0xEF}, OneImageGif()}));
  EXPECT_EQ(gif.image->SubImageCount(), 1);
  EXPECT_EQ(gif.image->Width(), 1);
  EXPECT_EQ(GifErrorOf(Join({{1, 2, 3, 4, 5}, OneImageGif()})), "Invalid GIF signature");
}

TEST(GifReaderTest, CutFixedFieldsEndTheReadWithPrematureEnd) {
  const Bytes whole = OneImageGif();
  // Inside the signature, the screen descriptor, the colour table, the image descriptor.
  for (size_t length : {3u, 10u, 15u, 22u}) {
    SCOPED_TRACE(length);
    EXPECT_EQ(GifErrorOf(Bytes(whole.begin(), whole.begin() + static_cast<long>(length))), "Premature end of data");
  }
  // A local colour table announced but cut: 2C, 9 descriptor bytes with packed 0x81
  // (4 entries), then 2 of the 12 table bytes.
  const Bytes cutTable = Join({kSignature, kScreen, {0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0x81, 1, 2}});
  EXPECT_EQ(GifErrorOf(cutTable), "Premature end of data");
}

TEST(GifReaderTest, MissingTrailerAndZeroBytesBetweenBlocksPassSilently) {
  const auto noTrailer = ReadGif(Join({kSignature, kScreen, kImage}));
  EXPECT_EQ(noTrailer.image->SubImageCount(), 1);
  EXPECT_THAT(noTrailer.WarningTexts(), IsEmpty());

  // 00 00 before the first image, a stray 00 after its data, 00 before the trailer.
  const auto zeros = ReadGif(Join({kSignature, kScreen, {0x00, 0x00}, kImage, {0x00}, kImage, {0x00}, kTrailer}));
  EXPECT_EQ(zeros.image->SubImageCount(), 2);
  EXPECT_THAT(IndicesOf(zeros.image->SubImage(1)), ElementsAre(1));
  EXPECT_THAT(zeros.WarningTexts(), IsEmpty());
}

TEST(GifReaderTest, CommentAfterLastImageAddsAnImagelessSubImage) {
  const Bytes comment = {0x21, 0xFE,               // comment extension
                         0x05, 'h', 'e', 'l', 'l', 'o',  // one sub-block of 5 bytes
                         0x03, 'a', 0x00, 'b',    // a line ends at its first zero byte
                         0x00};                   // terminator
  const auto gif = ReadGif(Join({kSignature, kScreen, kImage, comment, kTrailer}));
  ASSERT_EQ(gif.image->SubImageCount(), 2);
  EXPECT_FALSE(gif.image->SubImage(0).Empty());
  const TGIFSubImage& tail = gif.image->SubImage(1);
  EXPECT_TRUE(tail.Empty());
  ASSERT_EQ(tail.Extensions().Count(), 1);
  const auto& text = dynamic_cast<const TGIFCommentExtension&>(tail.Extensions()[0]);
  EXPECT_THAT(LinesOf(text.Text()), ElementsAre("hello", "a"));
  EXPECT_FALSE(gif.image->Empty());
}

TEST(GifReaderTest, ZeroWidthImageTakesTheScreenSizeAndWarns) {
  const Bytes screen = {0x03, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00};  // 3 x 2, no global table
  const Bytes image = {0x2C, 0, 0, 0, 0,
                       0x00, 0x00, 0x01, 0x00,  // width 0, height 1
                       0x00, 0x02, 0x02, 0x4C, 0x01, 0x00};
  const auto gif = ReadGif(Join({kSignature, screen, image, kTrailer}));
  const TGIFSubImage& sub = gif.image->SubImage(0);
  EXPECT_EQ(sub.Width(), 3);
  EXPECT_EQ(sub.Height(), 2);
  EXPECT_THAT(IndicesOf(sub), ElementsAre(1, 0, 0, 0, 0, 0));
  ASSERT_EQ(gif.warnings->size(), 1u);
  EXPECT_EQ(gif.warnings->at(0).text, "Image exceeds Logical Screen size");
  EXPECT_EQ(gif.warnings->at(0).severity, 1);
  EXPECT_EQ(gif.warnings->at(0).sender, &sub);
}

TEST(GifReaderTest, UnregisteredOrMissingExtensionLabelFails) {
  EXPECT_EQ(GifErrorOf(Join({kSignature, kScreen, {0x21, 0x02, 0x00}, kImage})), "Unknown extension type");
  EXPECT_EQ(GifErrorOf(Join({kSignature, kScreen, {0x21}})), "Unknown extension type");
}

TEST(GifReaderTest, CutGraphicControlWarnsAndLeavesTheSubImageOpaque) {
  // 21 F9, block size 4, packed 01 (transparent), then the stream ends.
  const auto gif = ReadGif(Join({kSignature, kScreen, {0x21, 0xF9, 0x04, 0x01}}));
  ASSERT_EQ(gif.image->SubImageCount(), 1);
  const TGIFSubImage& sub = gif.image->SubImage(0);
  EXPECT_FALSE(sub.Transparent());
  ASSERT_NE(sub.GraphicControlExtension(), nullptr);
  EXPECT_EQ(sub.GraphicControlExtension()->TransparentColorIndex(), 0);
  EXPECT_THAT(gif.WarningTexts(), ElementsAre("Premature end of data"));
}

TEST(GifReaderTest, FirstGraphicControlGivesTheIndexEitherMakesItTransparent) {
  const Bytes first = {0x21, 0xF9, 0x04,
                       0x08,        // disposal 2, no transparency bit
                       0x02, 0x01,  // delay 0x0102 = 258 hundredths
                       0x03,        // transparent index 3
                       0x00};
  const Bytes second = {0x21, 0xF9, 0x04, 0x01, 0x00, 0x00, 0x07, 0x00};  // transparent, index 7
  // 1 x 2 image (packed 0) whose data ends after one pixel: clear, 1, end.
  const Bytes image = {0x2C, 0, 0, 0, 0, 0x01, 0x00, 0x02, 0x00, 0x00, 0x02, 0x02, 0x4C, 0x01, 0x00};
  const auto gif = ReadGif(Join({kSignature, kScreen, first, second, image, kTrailer}));
  const TGIFSubImage& sub = gif.image->SubImage(0);
  EXPECT_TRUE(sub.Transparent());
  ASSERT_EQ(sub.Extensions().Count(), 2);
  const TGIFGraphicControlExtension* control = sub.GraphicControlExtension();
  ASSERT_EQ(control, &sub.Extensions()[0]);
  EXPECT_EQ(control->Delay(), 258);
  EXPECT_EQ(control->Disposal(), 2);
  // The pixel the data never reaches keeps the first extension's index.
  EXPECT_THAT(IndicesOf(sub), ElementsAre(1, 3));
}

Bytes ApplicationBlock(const std::string& identifier, const Bytes& data) {
  return Join({{0x21, 0xFF, static_cast<uint8_t>(identifier.size())}, Bytes(identifier.begin(), identifier.end()), data});
}

TEST(GifReaderTest, LoopingExtensionsGiveTheirCountAndBufferSize) {
  // Sub-block 03 01 05 00: size 3, id 1, loop count 5; then 05 02 00 04 00 00: size 5,
  // id 2, buffer size 1024; then the terminator.
  const Bytes loop = ApplicationBlock("NETSCAPE2.0", {0x03, 0x01, 0x05, 0x00, 0x05, 0x02, 0x00, 0x04, 0x00, 0x00, 0x00});
  const Bytes anim = ApplicationBlock("ANIMEXTS1.0", {0x03, 0x01, 0x09, 0x00, 0x00});
  const auto gif = ReadGif(Join({kSignature, kScreen, loop, anim, kImage, kTrailer}));
  const TGIFExtensionList& extensions = gif.image->SubImage(0).Extensions();
  ASSERT_EQ(extensions.Count(), 2);
  const auto& netscape = dynamic_cast<const TGIFAppExtNSLoop&>(extensions[0]);
  EXPECT_EQ(netscape.LoopCount(), 5);
  EXPECT_EQ(netscape.BufferSize(), 1024u);
  const auto& animexts = dynamic_cast<const TGIFAppExtNSLoop&>(extensions[1]);
  EXPECT_EQ(animexts.LoopCount(), 9);
  EXPECT_EQ(std::string(animexts.Identifier().begin(), animexts.Identifier().end()), "ANIMEXTS1.0");
}

TEST(GifReaderTest, LoopingSubBlockTooShortForItsFieldIsInvalid) {
  // Size 2, id 1: a loop count needs 3 bytes.
  EXPECT_EQ(GifErrorOf(Join({kSignature, kScreen, ApplicationBlock("NETSCAPE2.0", {0x02, 0x01, 0x05, 0x00})})),
            "Invalid GIF data");
  // Size 4, id 2: a buffer size needs 5.
  EXPECT_EQ(GifErrorOf(Join({kSignature, kScreen, ApplicationBlock("NETSCAPE2.0", {0x04, 0x02, 0, 0, 0, 0x00})})),
            "Invalid GIF data");
}

TEST(GifReaderTest, UnknownApplicationKeepsItsSubBlocks) {
  const Bytes xmp = ApplicationBlock("XMP DataXMP", {0x02, 0xAA, 0xBB, 0x01, 0xCC, 0x00});
  const auto gif = ReadGif(Join({kSignature, kScreen, xmp, kImage, kTrailer}));
  const auto& unknown = dynamic_cast<const TGIFUnknownAppExtension&>(gif.image->SubImage(0).Extensions()[0]);
  ASSERT_EQ(unknown.Blocks().Count(), 2u);
  EXPECT_THAT(BlocksOf(unknown.Blocks())[0], ElementsAre(0xAA, 0xBB));
  EXPECT_THAT(BlocksOf(unknown.Blocks())[1], ElementsAre(0xCC));
  EXPECT_EQ(std::string(unknown.Identifier().begin(), unknown.Identifier().end()), "XMP DataXMP");
}

TEST(GifReaderTest, ApplicationBlockSizesOtherThanElevenAreReadOrRefused) {
  // Size 10: ten identifier bytes and a zero.
  const auto ten = ReadGif(Join({kSignature, kScreen, ApplicationBlock("ABCDEFGHIJ", {0x01, 0x77, 0x00}), kImage}));
  const auto& short_id = dynamic_cast<const TGIFUnknownAppExtension&>(ten.image->SubImage(0).Extensions()[0]);
  EXPECT_EQ(short_id.Identifier()[9], 'J');
  EXPECT_EQ(short_id.Identifier()[10], 0);

  // Size 12: eleven identifier bytes, one skipped, then the data as raw sub-blocks.
  const auto twelve = ReadGif(Join({kSignature, kScreen, ApplicationBlock("ABCDEFGHIJKx", {0x02, 1, 2, 0x00}), kImage}));
  const auto& long_id = dynamic_cast<const TGIFUnknownAppExtension&>(twelve.image->SubImage(0).Extensions()[0]);
  EXPECT_EQ(long_id.Identifier()[10], 'K');
  ASSERT_EQ(long_id.Blocks().Count(), 1u);
  EXPECT_THAT(BlocksOf(long_id.Blocks())[0], ElementsAre(1, 2));
  EXPECT_EQ(twelve.image->SubImageCount(), 1);

  EXPECT_EQ(GifErrorOf(Join({kSignature, kScreen, ApplicationBlock("ABCDE", {0x00})})),
            "Unsupported Application Extension block size");
  // An unknown application's sub-block announced longer than the file.
  EXPECT_EQ(GifErrorOf(Join({kSignature, kScreen, ApplicationBlock("XMP DataXMP", {0x09, 1, 2})})),
            "Premature end of data");
}

TEST(GifReaderTest, PlainTextExtensionReadsItsGridAndText) {
  const Bytes text = {0x21, 0x01, 0x0C,
                      0x02, 0x00, 0x03, 0x00,  // grid left 2, top 3
                      0x28, 0x00, 0x08, 0x00,  // grid 40 x 8
                      0x08, 0x08,              // cells 8 x 8
                      0x01, 0x00,              // foreground 1, background 0
                      0x02, 'h', 'i', 0x00};
  const auto gif = ReadGif(Join({kSignature, kScreen, text, kImage, kTrailer}));
  const auto& plain = dynamic_cast<const TGIFTextExtension&>(gif.image->SubImage(0).Extensions()[0]);
  EXPECT_EQ(plain.Block().Top, 3);
  EXPECT_EQ(plain.Block().GridWidth, 40);
  EXPECT_EQ(plain.Block().ForegroundColorIndex, 1);
  EXPECT_THAT(LinesOf(plain.Text()), ElementsAre("hi"));
  EXPECT_EQ(GifErrorOf(Join({kSignature, kScreen, {0x21, 0x01, 0x0C, 0x02, 0x00}})), "Premature end of data");
}

TEST(GifReaderTest, StrayBytesWhereBlocksShouldStartWarn) {
  // 0x99 after the first image ends the list; the image read before it remains, and
  // the trailer check then meets the same byte.
  const auto gif = ReadGif(Join({kSignature, kScreen, kImage, {0x99}, kImage, kTrailer}));
  EXPECT_EQ(gif.image->SubImageCount(), 1);
  EXPECT_THAT(gif.WarningTexts(), ElementsAre("Unknown GIF block type", "Invalid Image trailer"));
  EXPECT_EQ(gif.warnings->at(0).sender, &gif.image->Images());
  EXPECT_EQ(gif.warnings->at(1).sender, gif.image.get());

  // A zero byte between a comment and its image ends the extensions there: the
  // comment and the image become two sub-images.
  const auto split = ReadGif(Join({kSignature, kScreen, {0x21, 0xFE, 0x01, 'a', 0x00, 0x00}, kImage, kTrailer}));
  EXPECT_EQ(split.image->SubImageCount(), 2);
  EXPECT_TRUE(split.image->SubImage(0).Empty());
  EXPECT_THAT(split.WarningTexts(), ElementsAre("Invalid extension introducer"));
}

TEST(GifReaderTest, FileWithoutImagesHasNoSubImages) {
  const auto gif = ReadGif(Join({kSignature, kScreen, kTrailer}));
  EXPECT_EQ(gif.image->SubImageCount(), 0);
  EXPECT_TRUE(gif.image->Empty());
  try {
    gif.image->SubImage(0);
    FAIL();
  } catch (const EListError& e) {
    EXPECT_STREQ(e.what(), "List index out of bounds (0)");
  }
}

TEST(GifReaderTest, ExtensionReadChecksIntroducerAndLabel) {
  TGIFImage image;
  TGIFSubImage sub(image);
  TGIFCommentExtension comment(sub);
  TMemoryStream notIntroducer(Bytes{0x22, 0xFE, 0x00});
  try {
    comment.ReadFromStream(notIntroducer);
    FAIL();
  } catch (const GIFException& e) {
    EXPECT_STREQ(e.what(), "Invalid extension introducer");
  }
  TMemoryStream otherLabel(Bytes{0x21, 0xF9, 0x00});
  try {
    comment.ReadFromStream(otherLabel);
    FAIL();
  } catch (const GIFException& e) {
    EXPECT_STREQ(e.what(), "Internal error: Extension Instance does not match Extension Label");
  }
}

TEST(GifReaderTest, FailedReadKeepsTheImageAndSetsTheStreamBack) {
  test::RecordingGif gif;
  TMemoryStream good(OneImageGif());
  gif.image->ReadFromStream(good);
  // Two junk bytes, then a file whose second image carries an unknown label.
  TMemoryStream bad(Join({{0xAB, 0xCD}, kSignature, kScreen, kImage, {0x21, 0x02}}));
  bad.SetPosition(2);
  EXPECT_THROW(gif.image->ReadFromStream(bad), GIFException);
  EXPECT_EQ(bad.Position(), 2);
  ASSERT_EQ(gif.image->SubImageCount(), 1);
  EXPECT_THAT(IndicesOf(gif.image->SubImage(0)), ElementsAre(1));
  EXPECT_EQ(gif.image->Width(), 1);
}

TEST(GifReaderTest, ProgressRunsFromStartToEndWithLoadingText) {
  struct Step {
    TProgressStage stage;
    int percent;
  };
  std::vector<Step> steps;
  TGIFImage image;
  image.OnProgress = [&](TGraphic&, TProgressStage stage, uint8_t percent, bool, const TRect&, const std::string& text) {
    EXPECT_EQ(text, "Loading...");
    steps.push_back({stage, percent});
  };
  const Bytes bytes = Join({kSignature, kScreen, kImage, kImage, kTrailer});  // 19 + 15 + 15 + 1 bytes
  TMemoryStream stream(bytes);
  image.ReadFromStream(stream);
  ASSERT_EQ(steps.size(), 4u);
  EXPECT_EQ(steps[0].stage, TProgressStage::psStarting);
  EXPECT_EQ(steps[0].percent, 0);
  EXPECT_EQ(steps[1].percent, 68);  // 34 of 50 bytes
  EXPECT_EQ(steps[2].percent, 98);  // 49 of 50
  EXPECT_EQ(steps[3].stage, TProgressStage::psEnding);
  EXPECT_EQ(steps[3].percent, 100);

  steps.clear();
  TMemoryStream broken(Join({kSignature}));
  EXPECT_THROW(image.ReadFromStream(broken), GIFException);
  ASSERT_EQ(steps.size(), 2u);
  EXPECT_EQ(steps[1].stage, TProgressStage::psEnding);
  EXPECT_EQ(steps[1].percent, 0);
}

TEST(GifReaderTest, ReadsFilesAndReportsFilesThatCannotBeOpened) {
  test::TempDir dir;
  test::WriteAll(dir.File("one.gif"), OneImageGif());
  TGIFImage image;
  image.ReadFromFile(dir.File("one.gif"));
  EXPECT_EQ(image.SubImageCount(), 1);
  EXPECT_THROW(image.ReadFromFile(dir.File("missing.gif")), EFOpenError);
  EXPECT_EQ(image.SubImageCount(), 1);
}

TEST(GifReaderTest, ActsAsAPictureOfItsLogicalScreen) {
  std::unique_ptr<TGraphic> graphic = TGIFImage::Class.Create();
  EXPECT_TRUE(graphic->Empty());
  TMemoryStream stream(Join({kSignature, {0x20, 0x01, 0x10, 0x00, 0x00, 0x00, 0x00}, kImage}));
  graphic->LoadFromStream(stream);
  EXPECT_EQ(graphic->Width(), 288);
  EXPECT_EQ(graphic->Height(), 16);
  EXPECT_FALSE(graphic->Empty());
  EXPECT_THROW(graphic->SetWidth(5), EInvalidGraphicOperation);
  TMemoryStream out;
  EXPECT_THROW(graphic->SaveToStream(out), EInvalidGraphicOperation);
}

TEST(GifReaderTest, TheFileWalkedThroughInTheGuideReadsAsDescribed) {
  const Bytes bytes = {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x02, 0x00, 0x02, 0x00, 0x91, 0x00, 0x00,
                       0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0xFF,
                       0x21, 0xF9, 0x04, 0x01, 0x0A, 0x00, 0x03, 0x00,
                       0x2C, 0x00, 0x00, 0x00, 0x00, 0x02, 0x00, 0x02, 0x00, 0x00,
                       0x02, 0x03, 0x44, 0x34, 0x05, 0x00, 0x3B};
  ASSERT_EQ(bytes.size(), 50u);
  const auto gif = ReadGif(bytes);
  ASSERT_EQ(gif.image->SubImageCount(), 1);
  const TGIFSubImage& sub = gif.image->SubImage(0);
  EXPECT_THAT(IndicesOf(sub), ElementsAre(0, 1, 2, 3));
  EXPECT_TRUE(sub.Transparent());
  EXPECT_EQ(sub.GraphicControlExtension()->TransparentColorIndex(), 3);
  EXPECT_EQ(sub.GraphicControlExtension()->Delay(), 10);
  EXPECT_EQ(gif.image->Header().ColorMap().Count(), 4);
  EXPECT_EQ(gif.image->Header().ColorMap()[3], (TGIFColor{0, 0, 255}));
  EXPECT_THAT(gif.WarningTexts(), IsEmpty());
}

}  // namespace
}  // namespace tapestro
