#include "FormFixture.h"
#include "views/TwoDimDataU.h"

// Both entries show one and the same site plan without blocking; its state outlives hiding.
TEST_F(FormTest, SitePlanOpensFromTheFormsAndTheTestMenu)
{
    start();
    ASSERT_TRUE(started);
    dialogs.clear();
    form->findChild<QAction *>("MILageplan")->trigger();
    auto *plan = form->findChild<TFormDraufsicht *>("FormDraufsicht");
    ASSERT_NE(plan, nullptr);
    EXPECT_TRUE(plan->isVisible());
    EXPECT_FALSE(plan->isModal());
    EXPECT_TRUE(form->traceText().endsWith("MILageplanClick"));
    QTest::mouseClick(plan->findChild<QWidget *>("PaUrsprung"), Qt::LeftButton);
    plan->close();

    const QString before = form->traceText();
    form->findChild<QAction *>("Draufsicht1")->trigger();
    EXPECT_EQ(form->findChildren<TFormDraufsicht *>().size(), 1);
    EXPECT_TRUE(plan->isVisible());
    EXPECT_EQ(plan->clickMode(), TFormDraufsicht::ClickMode::SetOrigin);
    EXPECT_EQ(form->traceText(), before); // the test menu's entry writes no trace line
    EXPECT_EQ(dialogs.unexpected, 0);
}
