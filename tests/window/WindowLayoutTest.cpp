#include "window/WindowLayout.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QSpacerItem>
#include <QTranslator>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include "devhost/WindowRows.h"
#include "devhost/context/DevPluginContext.h"
#include "plugin/FileInfoPlugin.h"

using devhost::WindowRows;

namespace {

const QStringList kCaptions = {"Video Render:", "Video Decoder:", "Video Format:",
                               "Audio Render:", "Audio Decoder:", "Audio Format:"};

// A plug-in object made directly, given back the way its host would.
class InfoWindow : public testing::Test {
protected:
    void SetUp() override { plugin = new Vantrel::FileInfoPlugin(&context); }
    void TearDown() override {
        plugin->releaseLater();
        plugin->release();
        ASSERT_TRUE(context.wasDeleted(static_cast<Quarn::Plugin*>(plugin)));
    }

    devhost::DevPluginContext context;
    Vantrel::FileInfoPlugin* plugin = nullptr;
};

}  // namespace

TEST_F(InfoWindow, IsAHiddenTopLevelWindowWithItsTitle) {
    EXPECT_TRUE(plugin->isWindow());
    EXPECT_EQ(plugin->parentWidget(), nullptr);
    EXPECT_FALSE(plugin->isVisible());
    EXPECT_EQ(plugin->windowTitle(), "Video Information");
}

TEST_F(InfoWindow, SixCaptionedEmptyBoxedRowsAboveASpacer) {
    auto* top = qobject_cast<QVBoxLayout*>(plugin->layout());
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(top->sizeConstraint(), QLayout::SetFixedSize);
    EXPECT_EQ(top->stretch(0), 0);

    const WindowRows rows = WindowRows::of(plugin);
    ASSERT_NE(rows.grid, nullptr);
    EXPECT_EQ(rows.captions, kCaptions);
    ASSERT_EQ(rows.values.size(), 6u);
    for (QLabel* value : rows.values) {
        EXPECT_TRUE(value->text().isEmpty());
        EXPECT_EQ(value->frameStyle(), QFrame::Box | QFrame::Plain);
        EXPECT_EQ(value->lineWidth(), 1);
        EXPECT_EQ(value->parentWidget(), plugin);
    }
    for (int row = 0; row < 6; ++row) {
        auto* caption = qobject_cast<QLabel*>(rows.grid->itemAtPosition(row, 0)->widget());
        EXPECT_EQ(caption->frameShape(), QFrame::NoFrame);
        EXPECT_EQ(caption->parentWidget(), plugin);
    }

    // The spacer fills row 6 across both columns.
    ASSERT_EQ(rows.grid->rowCount(), 7);
    QLayoutItem* item = rows.grid->itemAtPosition(6, 0);
    ASSERT_NE(item, nullptr);
    QSpacerItem* spacer = item->spacerItem();
    ASSERT_NE(spacer, nullptr);
    EXPECT_EQ(rows.grid->itemAtPosition(6, 1), item);
    EXPECT_EQ(spacer->sizeHint(), QSize(1, 1));
    EXPECT_EQ(spacer->sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
    EXPECT_EQ(spacer->sizePolicy().verticalPolicy(), QSizePolicy::Expanding);
}

TEST_F(InfoWindow, CannotBeResizedAndFollowsItsTexts) {
    plugin->show();
    QApplication::processEvents();
    const QSize empty = plugin->size();
    EXPECT_EQ(plugin->minimumSize(), empty);
    EXPECT_EQ(plugin->maximumSize(), empty);

    plugin->resize(empty + QSize(200, 100));
    QApplication::processEvents();
    EXPECT_EQ(plugin->size(), empty);

    QLabel* decoder = WindowRows::of(plugin).values.at(1);
    decoder->setText("A decoder with a very long name indeed, longer than any caption");
    plugin->layout()->activate();
    const int wide = plugin->width();
    EXPECT_GT(wide, empty.width());
    EXPECT_EQ(plugin->minimumSize(), plugin->maximumSize());

    decoder->setText(QString());
    plugin->layout()->activate();
    EXPECT_LT(plugin->width(), wide);
    // An emptied label may ask for a pixel more than a never-filled one; the
    // window still takes exactly what its contents ask for.
    EXPECT_EQ(plugin->size(), plugin->sizeHint());
}

TEST(InfoWindowTranslation, InstalledTranslatorChangesTitleAndCaptions) {
    QTranslator translator;
    ASSERT_TRUE(translator.load(QString::fromUtf8(FILEINFO_TEST_TRANSLATION)));
    ASSERT_TRUE(QApplication::installTranslator(&translator));

    devhost::DevPluginContext context;
    auto* plugin = new Vantrel::FileInfoPlugin(&context);
    // The texts were translated while the window was built and stay so.
    QApplication::removeTranslator(&translator);

    EXPECT_EQ(plugin->windowTitle(), "Videoinformationen");
    EXPECT_EQ(WindowRows::of(plugin).captions,
              QStringList({"Videoausgabe:", "Videodecoder:", "Videoformat:", "Audioausgabe:",
                           "Audiodecoder:", "Audioformat:"}));

    plugin->releaseLater();
    plugin->release();
}
