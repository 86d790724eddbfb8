// The Customer details page in a started main window, the custom fields
// window and the photo dialog: what they show and what their controls do.
// With TARNWICK_SCREENSHOTS set to a folder, the tests leave their pictures
// there (docs/screenshots holds the ones taken so).
#include "customers/customerpage.h"

#include "app/features/allfeatures.h"
#include "app/mainscreen.h"
#include "query/querypage.h"
#include "query/querypagelogic.h"
#include "schedule/visualize/visualizepage.h"
#include "controls/buttons/fcbitbtn.h"
#include "customers/customfieldsform.h"
#include "customers/importgraphicform.h"
#include "photofixture.h"
#include "sampleschedule.h"
#include "platform/datetime/localetexts.h"
#include "testapplication.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include "controls/panels/fcgroupbox.h"
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QPolygon>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>

namespace tw::app {
namespace {

void Screenshot(QWidget* widget, const char* name)
{
    if (const char* folder = std::getenv("TARNWICK_SCREENSHOTS"))
        widget->grab().save(QString::fromLocal8Bit(folder) + "/" + name);
}

class CustomerPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        locale::PinLocale("en_US");
        window.StartTimer();
        ASSERT_TRUE(window.Session().State.TablesOpen);
        window.StartClock()->stop();
        page = window.Features().Customers->Page();
        ASSERT_NE(page, nullptr);
        ames = AddCustomer("Ames", "Dana", "Dana Ames", "14 Orchard Lane", "Millbrook");
        brook = AddCustomer("Brook", "Lee", "Lee Brook", "3 Quarry Road", "Stonehill");
        window.Session().Data().CustomersTable.refresh();
        window.Session().Data().CustomersTable.first();
        window.TabControl()->setCurrentIndex(TMainScreen::CustomerTabPage);
        window.resize(1100, 760);
        window.show();
        page->ShowCustomer();
        page->ShowCustomerPhoto();
    }

    // A button of the Add / Edit / Query page, pressed as the user does.
    void ClickOnQueryPage(const char* button)
    {
        auto* b = window.Features().Query->Page()->findChild<controls::TFcBitBtn*>(QLatin1String(button));
        ASSERT_NE(b, nullptr) << button;
        b->Click();
    }

    std::int32_t AddCustomer(const char* last, const char* first, const char* contact, const char* addr,
                             const char* city)
    {
        db::Table& t = window.Session().Data().CustomersTable2;
        const std::int32_t cid = ++key;
        t.append();
        t.fieldByName("CID").setAsInteger(cid);
        t.fieldByName("LAST").setAsString(last);
        t.fieldByName("FIRST").setAsString(first);
        t.fieldByName("NAME").setAsString(std::string(last) + ", " + first);
        t.fieldByName("CONTACT1").setAsString(contact);
        t.fieldByName("ADDR1").setAsString(addr);
        t.fieldByName("CITY").setAsString(city);
        t.fieldByName("STATE").setAsString("VT");
        t.fieldByName("PHONE1").setAsString("802-555-0142");
        t.post();
        return cid;
    }

    QString CurrentLast() { return QString::fromStdString(page->Logic().FieldText("LAST")); }
    // A task of Ann's for Ames, and a "PERMIT" custom field for tasks; gives the task's id.
    std::int32_t AddTaskWithAPermitField()
    {
        const std::int32_t crew = examples::AddSampleResource(window, "Ann");
        const std::int32_t task = examples::AddSampleTask(
            window, crew, {"Ames", "Kitchen", "Fit units", EncodeDate(2026, 12, 7) + 0.5, 2});
        page->CustomFieldsLogic().Rules.DefineCustomField(customers::kTaskFields, "", "PERMIT");
        window.Session().Data().ChartsTable.refresh();
        return task;
    }

    void Key(QWidget* to, int key)
    {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(to, &press);
    }

    // A picture file for the file dialog to hand back.
    QString JpegFile()
    {
        const QString path = dir.filePath("house.jpg");
        const auto bytes = customers::testing::QuadrantJpeg(320, 240);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
        return path;
    }

    // A drawn house, for the screenshot: a photo reads better than a test card.
    static std::vector<std::uint8_t> HousePhoto()
    {
        QImage image(300, 220, QImage::Format_RGB888);
        QPainter p(&image);
        QLinearGradient sky(0, 0, 0, 220);
        sky.setColorAt(0, QColor(120, 170, 230));
        sky.setColorAt(1, QColor(200, 225, 245));
        p.fillRect(image.rect(), sky);
        p.fillRect(0, 170, 300, 50, QColor(90, 150, 70));
        p.fillRect(70, 100, 160, 80, QColor(215, 190, 150));
        p.setBrush(QColor(150, 60, 50));
        p.setPen(Qt::NoPen);
        p.drawPolygon(QPolygon({QPoint(55, 102), QPoint(150, 45), QPoint(245, 102)}));
        p.fillRect(138, 135, 26, 45, QColor(100, 65, 40));
        p.fillRect(88, 118, 30, 26, QColor(240, 240, 200));
        p.fillRect(184, 118, 30, 26, QColor(240, 240, 200));
        p.end();
        customers::DecodedPicture picture;
        picture.Width = image.width();
        picture.Height = image.height();
        for (int y = 0; y < image.height(); ++y)
            picture.Rgb.insert(picture.Rgb.end(), image.constScanLine(y),
                               image.constScanLine(y) + image.width() * 3);
        return customers::EncodeJpeg(picture, 90);
    }

    static QRgb PixelAt(const QPixmap& pixmap, double fx, double fy)
    {
        const QImage image = pixmap.toImage();
        return image.pixel(static_cast<int>(image.width() * fx), static_cast<int>(image.height() * fy));
    }

    testing::ApplicationInUse application;
    testing::FreshUser user;
    testing::Recorder recorder;
    QTemporaryDir dir;
    TMainScreen window;
    TCustomerPage* page = nullptr;
    std::int32_t key = 500;
    std::int32_t ames = 0, brook = 0;
};

TEST_F(CustomerPageTest, ShowsTheCustomerAndWritesAnEditBack)
{
    EXPECT_EQ(page->Edit("DBEdit1")->text(), "Ames");
    EXPECT_EQ(page->Edit("DBEdit4")->text(), "14 Orchard Lane");
    QLineEdit* state = page->Edit("DBEdit9");
    state->setText("nh");
    state->setModified(true);
    page->FlushEdits();
    EXPECT_EQ(page->Logic().FieldText("STATE"), "NH");
    // Upper-case fields take capitals as they are typed.
    QLineEdit* postal = page->Edit("DBEdit10");
    postal->setFocus();
    postal->selectAll();
    QTest::keyClicks(postal, "k1a");
    EXPECT_EQ(postal->text(), "K1A");
    EXPECT_TRUE(postal->isModified());
}

// The restriction to active customers is kept for the next run, and lifted
// again the same way.
TEST_F(CustomerPageTest, TheRestrictionReachesTheSettingsKeptForTheNextRun)
{
    ASSERT_FALSE(window.Session().Settings.RestrictCustomer);
    page->RestrictCustomerClick(true);
    EXPECT_TRUE(window.Session().Settings.RestrictCustomer);
    EXPECT_TRUE(page->Logic().RestrictCustomer);
    page->RestrictCustomerClick(false);
    EXPECT_FALSE(window.Session().Settings.RestrictCustomer);
}

TEST_F(CustomerPageTest, ImportedPhotoIsSavedForTheCustomerTheDialogWasOpenedFor)
{
    page->PhotoDoubleClick();
    customers::TGraphicImport* dialog = page->GraphicImport();
    ASSERT_TRUE(dialog->IsOpen());
    EXPECT_EQ(dialog->Scale()->currentIndex(), 3);
    EXPECT_FALSE(dialog->SaveButton()->isEnabled());  // nothing to save yet
    dialog->ChooseFile = [this] { return JpegFile(); };
    dialog->ImportPhotoClick();
    ASSERT_FALSE(dialog->Image1()->pixmap().isNull());
    EXPECT_EQ(dialog->Image1()->pixmap().width(), 40);  // 1:8 of 320
    dialog->Scale()->setCurrentIndex(1);
    EXPECT_EQ(dialog->Image1()->pixmap().width(), 160);

    // The user moves on to the next customer while the dialog stays open.
    page->NavigatorClick(customers::NavigatorAction::Next);
    ASSERT_EQ(CurrentLast(), "Brook");
    dialog->SaveClick();
    EXPECT_FALSE(dialog->IsOpen());
    EXPECT_TRUE(page->Logic().Photos.Load(ames).HasRecord);
    EXPECT_FALSE(page->Logic().Photos.Load(brook).HasRecord);
    EXPECT_EQ(page->Logic().Photos.Load(ames).Scale1, 1);

    page->NavigatorClick(customers::NavigatorAction::Prior);
    ASSERT_EQ(CurrentLast(), "Ames");
    const QPixmap shown = page->Image1()->pixmap();
    ASSERT_FALSE(shown.isNull());
    EXPECT_EQ(shown.width(), 160);
    EXPECT_GT(qGreen(PixelAt(shown, 0.75, 0.25)), 180);  // the green top right quadrant
    EXPECT_GT(qBlue(PixelAt(shown, 0.25, 0.75)), 170);
    EXPECT_EQ(page->findChild<controls::TFcGroupBox*>("PhotoPanel")->Caption(), "Dana Ames");

    if (std::getenv("TARNWICK_SCREENSHOTS")) {
        page->Logic().Photos.Save(ames, false, HousePhoto(), 0);
        page->Logic().WriteField(page->Logic().CurrentCustomerId(), "NOTES",
                                 "Side gate is always open; please ring before going round.\n"
                                 "Prefers morning visits. The dog is friendly.");
        page->ShowCustomer();
        page->ShowCustomerPhoto();
        Screenshot(&window, "customer-details.png");
    }
}

TEST_F(CustomerPageTest, TheTabsKeysActOnlyWhileItShows)
{
    QLineEdit* city = page->Edit("DBEdit8");
    Key(city, Qt::Key_PageDown);
    EXPECT_EQ(CurrentLast(), "Brook");
    Key(city, Qt::Key_PageUp);
    EXPECT_EQ(CurrentLast(), "Ames");

    window.TabControl()->setCurrentIndex(TMainScreen::SchedulePage);
    QWidget* elsewhere = window.Features().Visualize->Page()->RefreshChart();
    Key(elsewhere, Qt::Key_PageDown);
    Key(elsewhere, Qt::Key_Insert);
    EXPECT_EQ(CurrentLast(), "Ames");
    EXPECT_EQ(window.Session().Data().CustomersTable2.recordCount(), 2);

    window.TabControl()->setCurrentIndex(TMainScreen::CustomerTabPage);
    Key(city, Qt::Key_Insert);
    EXPECT_EQ(window.Session().Data().CustomersTable2.recordCount(), 3);
    EXPECT_EQ(page->Edit("DBEdit1")->text(), "Customer");
    EXPECT_EQ(window.windowTitle(), "Enter new customer info");
}

TEST_F(CustomerPageTest, CustomFieldsWindowDefinesAndShowsValues)
{
    page->findChild<controls::TFcBitBtn*>("CustomerCustomFields")->Click();
    customers::TCustomFields* w = page->CustomFieldsWindow();
    ASSERT_TRUE(w->isVisible());
    EXPECT_EQ(w->windowTitle(), "Custom fields for Ames, Dana");
    w->findChild<controls::TFcBitBtn*>("AddDefinition")->Click();
    ASSERT_TRUE(w->NameEdit(0)->isVisible());
    w->NameEdit(0)->setText("gate code");
    w->NameEdit(1)->setText("Dog");
    w->NameEdit(2)->setText("Alarm panel");
    w->findChild<controls::TFcBitBtn*>("Save")->Click();
    EXPECT_EQ(w->SlotLabel(0)->text(), "ALARM PANEL");
    EXPECT_EQ(w->SlotLabel(1)->text(), "DOG");
    EXPECT_EQ(w->SlotLabel(2)->text(), "GATE CODE");
    EXPECT_FALSE(w->SlotLabel(3)->isVisible());
    EXPECT_EQ(w->windowTitle(), "Custom fields for Ames, Dana");

    w->ValueEdit(1)->setText("Biscuit, friendly");
    w->ValueEdit(2)->setText("4417#");
    page->NavigatorClick(customers::NavigatorAction::Next);
    EXPECT_EQ(w->windowTitle(), "Custom fields for Brook, Lee");
    EXPECT_EQ(w->ValueEdit(1)->text(), "");
    page->NavigatorClick(customers::NavigatorAction::Prior);
    EXPECT_EQ(w->ValueEdit(1)->text(), "Biscuit, friendly");
    EXPECT_EQ(w->ValueEdit(2)->text(), "4417#");
    Screenshot(w, "custom-fields.png");

    // Another kind's button only brings the open window back.
    ClickOnQueryPage("CrewsCustomFields");
    EXPECT_EQ(w->Logic().OwnerKind, customers::kCustomerFields);
    w->findChild<controls::TFcBitBtn*>("DoneEdit")->Click();
    EXPECT_FALSE(w->isVisible());
}

TEST_F(CustomerPageTest, ATasksValueReachesTheSharedScheduleWithItsChangeCounter)
{
    const std::int32_t task = AddTaskWithAPermitField();
    ASSERT_TRUE(window.Session().Data().ChartsTable.locate("CHARTSID", db::Value(static_cast<double>(task))));
    db::Table shared;
    shared.setFolder(window.Session().State.ScheduleFolder);
    shared.setTableName("ICharts.DBF");
    shared.open();
    ASSERT_TRUE(shared.locate("CHARTSID", db::Value(static_cast<double>(task))));
    const double before = shared.fieldByName("UPDATE").asFloat();

    ClickOnQueryPage("TasksCustomFields");
    customers::TCustomFields* w = page->CustomFieldsWindow();
    EXPECT_EQ(w->windowTitle(), "Custom fields for Fit units");
    w->ValueEdit(0)->setText("P-2231");
    w->DoneEditClick();
    shared.refresh();
    ASSERT_TRUE(shared.locate("CHARTSID", db::Value(static_cast<double>(task))));
    EXPECT_EQ(shared.fieldByName("CFV1").asString(), "P-2231");
    EXPECT_FLOAT_EQ(static_cast<float>(shared.fieldByName("UPDATE").asFloat()),
                    static_cast<float>(before + 1));
}

TEST_F(CustomerPageTest, CustomFieldsEnterStaysAndEscapeClosesAsCloseDoes)
{
    const std::int32_t task = AddTaskWithAPermitField();
    ASSERT_TRUE(window.Session().Data().ChartsTable.locate("CHARTSID", db::Value(static_cast<double>(task))));
    ClickOnQueryPage("TasksCustomFields");
    customers::TCustomFields* w = page->CustomFieldsWindow();
    ASSERT_TRUE(w->isVisible());
    int closes = 0;
    QObject::connect(w->findChild<controls::TFcBitBtn*>("DoneEdit"), &controls::TFcControl::clicked,
                     [&] { ++closes; });
    w->ValueEdit(0)->setText("P-7");
    w->ValueEdit(0)->setFocus();
    // No button of the window is the default one: Enter in a value closes nothing.
    QTest::keyClick(w->ValueEdit(0), Qt::Key_Return);
    EXPECT_TRUE(w->isVisible());
    QTest::keyClick(w->ValueEdit(0), Qt::Key_Escape);
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(closes, 1);
    window.Session().Data().ChartsTable.refresh();
    ASSERT_TRUE(window.Session().Data().ChartsTable.locate("CHARTSID", db::Value(static_cast<double>(task))));
    EXPECT_EQ(window.Session().Data().ChartsTable.fieldByName("CFV1").asString(), "P-7");
}

TEST_F(CustomerPageTest, ASearchFromTheQueryTabRestrictsItsCustomers)
{
    page->CustomFieldsLogic().Rules.DefineCustomField(customers::kCustomerFields, "", "DOG");
    db::Table& customers = window.Session().Data().CustomersTable2;
    ASSERT_TRUE(customers.locate("CID", db::Value(static_cast<double>(brook))));
    customers.edit();
    customers.fieldByName("CFV1").setAsString("Rex, terrier");
    customers.post();

    query::QueryPageLogic& q = window.Features().Query->Page()->Logic();
    q.SearchCustomClick();
    customers::TCustomFields* w = page->CustomFieldsWindow();
    ASSERT_TRUE(w->isVisible());
    EXPECT_EQ(w->windowTitle(), "Custom field search");
    w->ValueEdit(0)->setText("TERR");
    w->SearchClick();
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(q.Search().CustomerSearchActive);
    EXPECT_TRUE(q.Controls().Boxes.RestrictToCustomer);
    window.Session().Data().CustomersTable.refresh();
    EXPECT_EQ(window.Session().Data().CustomersTable.recordCount(), 1);
    EXPECT_EQ(CurrentLast(), "Brook");

    // Opening the search again ends the one in force.
    q.SearchCustomClick();
    EXPECT_FALSE(window.Session().Query.Search.CustomerSearchActive);
    EXPECT_EQ(window.Session().Data().CustomersTable.recordCount(), 2);
    w->DoneClick();
}

TEST_F(CustomerPageTest, HelpLevelOneHidesTheCustomFieldsHints)
{
    customers::TCustomFields* w = page->CustomFieldsWindow();
    page->OpenCustomFields(false, customers::kResourceFields, 1);
    EXPECT_EQ(w->windowTitle(), "Resource custom fields");  // no resource to show values of
    EXPECT_TRUE(w->findChild<controls::TFcBitBtn*>("Save")->toolTip().isEmpty());
    w->DoneEditClick();
    page->OpenCustomFields(false, customers::kResourceFields, 0);
    EXPECT_EQ(w->findChild<controls::TFcBitBtn*>("Save")->toolTip(), "Save custom field definitions");
    EXPECT_EQ(w->findChild<controls::TFcGroupBox*>("TopGroup")->toolTip(), "Edit custom field values");
}

TEST_F(CustomerPageTest, ClosingTheProgramSavesTheShownValuesAndTheWindowsPlace)
{
    page->CustomFieldsLogic().Rules.DefineCustomField(customers::kCustomerFields, "", "DOG");
    page->CustomerCustomFieldsClick();
    customers::TCustomFields* w = page->CustomFieldsWindow();
    w->move(123, 145);
    w->ValueEdit(0)->setText("Rex");
    window.FormDestroy();
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(window.Layout().CustomFieldsLeft, w->x());
    db::Table t;
    t.setFolder(window.Session().State.ScheduleFolder);
    t.setTableName("customers.dbf");
    t.open();
    ASSERT_TRUE(t.locate("CID", db::Value(static_cast<double>(ames))));
    EXPECT_EQ(t.fieldByName("CFV1").asString(), "Rex");
}

}  // namespace
}  // namespace tw::app
