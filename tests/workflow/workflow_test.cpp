// The captcha refresh and the address resolution against a stand-in of the
// service, on the real main window (offscreen).

#include <QAbstractButton>
#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/main_window_controls.h"
#include "runtime/picture/picture.h"
#include "runtime/window/control_services.h"
#include "runtime/window/gbk_conversion.h"
#include "runtime/window/picture_box.h"
#include "runtime/window/program.h"
#include "tools/standin/standin_server.h"
#include "window_testing.h"
#include "workflow/address_resolution.h"
#include "workflow/captcha_refresh.h"
#include "workflow/cookie_jar.h"

namespace {

constexpr char kDownloadId[] = "aeea4f9608859d09";

std::string SessionIn(const Text& jar) { return SessionInCookies(jar.View()); }

std::string ControlText(const Control& control) { return std::string(ReadControlText(control).View()); }

class WorkflowTest : public FormTest {
 protected:
  static void SetUpTestSuite() {
    FormTest::SetUpTestSuite();
    standin = std::make_unique<Standin>(KAVORO_TEST_STANDIN_PORT);
  }
  static void TearDownTestSuite() { standin.reset(); }

  void SetUp() override {
    LoadStartWindow(MainWindow);
    standin->SetBehaviour({});
    standin->ClearRequests();
    std::lock_guard jar(cookieJarMutex);
    cookieJar = Text();
  }

  // Waits until the refresh threads are done and the pictures they handed
  // over have reached the box.
  static void SettleRefreshes() {
    LockJarAfterStartedRefreshes().unlock();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
  }

  // The next message box is answered with OK; its text lands in `messages`.
  void AnswerNextMessageBox() {
    WhenMessageBoxShows([this](MessageBoxDialog& box) {
      messages.emplace_back(QStringToGbk(box.ShownText()).View());
      box.Buttons().first()->click();
    });
  }

  std::vector<StandinRequest> RequestsTo(const std::string& method, const std::string& pathStart) const {
    std::vector<StandinRequest> found;
    for (const StandinRequest& request : standin->Requests()) {
      if (request.method == method && request.target.starts_with(pathStart)) found.push_back(request);
    }
    return found;
  }

  // Refreshes on the window's thread and types the code that the captcha
  // shows, as a user would.
  void RefreshAndTypeTheCode(const char* downloadId) {
    RefreshCaptcha();
    WriteControlText(编辑框3, downloadId);
    WriteControlText(编辑框1, Text(standin->CurrentCode(SessionIn(cookieJar))));
  }

  static PictureBox* CaptchaBox() {
    return dynamic_cast<PictureBox*>(FindControl("MainWindow", GbkToQString(图片框1.name)));
  }

  static std::unique_ptr<Standin> standin;
  std::vector<std::string> messages;
};

std::unique_ptr<Standin> WorkflowTest::standin;

TEST_F(WorkflowTest, TheHappyRoadShowsTheDirectAddressAndEmptiesTheInputs) {
  RefreshAndTypeTheCode(kDownloadId);
  WriteControlText(编辑框2, "an earlier address");

  ResolveDownloadAddress();

  EXPECT_EQ(ControlText(编辑框2),
            standin->DirectAddress("127.0.0.1:" + std::to_string(KAVORO_TEST_STANDIN_PORT), kDownloadId));
  EXPECT_TRUE(ReadControlText(编辑框3).IsAbsent());
  EXPECT_TRUE(ReadControlText(编辑框1).IsAbsent());
  EXPECT_TRUE(messages.empty());
  // The verification's cookie was merged into the jar and sent on.
  const auto pages = RequestsTo("GET", "/dd.php");
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0].target, std::string("/dd.php?file_key=") + kDownloadId + "&p=0");
  EXPECT_EQ(pages[0].Header("Cookie"), "kv_pass=1; PHPSESSID=" + SessionIn(cookieJar));
  EXPECT_EQ(std::string(cookieJar.View()), "kv_pass=1; PHPSESSID=" + SessionIn(cookieJar));
}

TEST_F(WorkflowTest, BlanksAroundTheInputsAreStrippedAndTheCodeGoesAsTyped) {
  RefreshCaptcha();
  const std::string code = standin->CurrentCode(SessionIn(cookieJar));
  struct Case {
    const char* name;
    std::string typedId;
    std::string typedCode;
    std::string body;
  };
  const Case cases[] = {
      {"blanks and full-width blanks around", std::string("  \xA1\xA1") + kDownloadId + " ",
       " " + code + "\xA1\xA1 ", std::string("action=yz&id=") + kDownloadId + "&code=" + code},
      {"ampersand and inner blank", kDownloadId, "a b&c=d", std::string("action=yz&id=") + kDownloadId + "&code=a b&c=d"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    standin->ClearRequests();
    WriteControlText(编辑框3, Text(c.typedId));
    WriteControlText(编辑框1, Text(c.typedCode));
    if (c.typedCode.find('&') != std::string::npos) AnswerNextMessageBox();
    ResolveDownloadAddress();
    const auto verifications = RequestsTo("POST", "/downcode.php");
    ASSERT_EQ(verifications.size(), 1u);
    EXPECT_EQ(verifications[0].body, c.body);
    EXPECT_EQ(verifications[0].Header("Content-Type"), "application/x-www-form-urlencoded");
  }
}

TEST_F(WorkflowTest, EmptyInputsAreToldAndNothingIsSent) {
  struct Case {
    const char* name;
    const char* downloadId;
    const char* code;
    const char* message;
  };
  const Case cases[] = {
      {"no ID", "", "ABCD", "请输入下载ID"},
      {"ID of blanks only", " \xA1\xA1 ", "ABCD", "请输入下载ID"},
      {"no code", kDownloadId, "", "请输入验证码"},
      {"code of blanks only", kDownloadId, "   ", "请输入验证码"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    messages.clear();
    WriteControlText(编辑框3, c.downloadId);
    WriteControlText(编辑框1, c.code);
    WriteControlText(编辑框2, "kept");
    AnswerNextMessageBox();
    ResolveDownloadAddress();
    EXPECT_EQ(messages, std::vector<std::string>{c.message});
    EXPECT_EQ(ControlText(编辑框3), c.downloadId);
    EXPECT_EQ(ControlText(编辑框1), c.code);
    EXPECT_EQ(ControlText(编辑框2), "kept");
  }
  EXPECT_TRUE(standin->Requests().empty());
}

TEST_F(WorkflowTest, ARejectedCodeIsToldAndANewCaptchaComesWithNewCookies) {
  RefreshCaptcha();
  const std::string firstSession = SessionIn(cookieJar);
  WriteControlText(编辑框3, kDownloadId);
  WriteControlText(编辑框1, "WRONG");
  WriteControlText(编辑框2, "kept");
  standin->ClearRequests();
  AnswerNextMessageBox();

  ResolveDownloadAddress();

  EXPECT_EQ(messages, std::vector<std::string>{"验证码过期或错误"});
  EXPECT_EQ(ControlText(编辑框3), kDownloadId);
  EXPECT_TRUE(ReadControlText(编辑框1).IsAbsent());
  EXPECT_EQ(ControlText(编辑框2), "kept");
  EXPECT_EQ(RequestsTo("GET", "/downcode.php").size(), 1u);
  EXPECT_TRUE(RequestsTo("GET", "/dd.php").empty());
  EXPECT_NE(SessionIn(cookieJar), "");
  EXPECT_NE(SessionIn(cookieJar), firstSession);
  ASSERT_NE(CaptchaBox(), nullptr);
  EXPECT_TRUE(CaptchaBox()->HasPicture());
}

TEST_F(WorkflowTest, AnAnswerThatIsNotExactlyOneIsARejection) {
  for (const char* answer : {"1\r\n", " 1", "11", ""}) {
    SCOPED_TRACE(testing::PrintToString(answer));
    messages.clear();
    StandinBehaviour behaviour;
    behaviour.verificationAnswer = answer;
    standin->SetBehaviour(behaviour);
    WriteControlText(编辑框3, kDownloadId);
    WriteControlText(编辑框1, "ABCD");
    AnswerNextMessageBox();
    ResolveDownloadAddress();
    EXPECT_EQ(messages, std::vector<std::string>{"验证码过期或错误"});
  }
}

TEST_F(WorkflowTest, APageWithoutTheAnchorIsShownInTheMessage) {
  struct Case {
    const char* name;
    std::string page;
  };
  const Case cases[] = {
      {"no anchor", "<html>文件不存在</html>"},
      {"markers adjacent", "<a id=\"downs\" href=\"\">x</a>"},
      {"no page at all", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    messages.clear();
    StandinBehaviour behaviour;
    behaviour.downloadPage = c.page;
    standin->SetBehaviour(behaviour);
    RefreshAndTypeTheCode(kDownloadId);
    WriteControlText(编辑框2, "kept");
    AnswerNextMessageBox();
    ResolveDownloadAddress();
    EXPECT_EQ(messages, std::vector<std::string>{"出现错误，错误原因为：\n" + c.page});
    EXPECT_EQ(ControlText(编辑框2), "kept");
    EXPECT_TRUE(ReadControlText(编辑框3).IsAbsent());
    EXPECT_TRUE(ReadControlText(编辑框1).IsAbsent());
  }
}

TEST_F(WorkflowTest, TheFirstOfTwoAnchorsWins) {
  StandinBehaviour behaviour;
  behaviour.downloadPage = "<a id=\"downs\" href=\"http://one/\">1</a><a id=\"downs\" href=\"http://two/\">2</a>";
  standin->SetBehaviour(behaviour);
  RefreshAndTypeTheCode(kDownloadId);
  ResolveDownloadAddress();
  EXPECT_EQ(ControlText(编辑框2), "http://one/");
}

TEST_F(WorkflowTest, TheCaptchaRequestNeverCarriesACookie) {
  {
    std::lock_guard jar(cookieJarMutex);
    cookieJar = "PHPSESSID=old; other=1";
  }
  RefreshCaptcha();
  const auto captchas = RequestsTo("GET", "/downcode.php");
  ASSERT_EQ(captchas.size(), 1u);
  EXPECT_EQ(captchas[0].Header("Cookie"), std::nullopt);
  EXPECT_EQ(captchas[0].Header("Host"), "localhost:" + std::to_string(KAVORO_TEST_STANDIN_PORT));
  EXPECT_EQ(std::string(cookieJar.View()), "PHPSESSID=" + SessionIn(cookieJar));
}

TEST_F(WorkflowTest, AnAnswerWithoutCookiesLeavesTheJarEmpty) {
  StandinBehaviour behaviour;
  behaviour.captchaSetsCookie = false;
  standin->SetBehaviour(behaviour);
  {
    std::lock_guard jar(cookieJarMutex);
    cookieJar = "PHPSESSID=old";
  }
  RefreshCaptcha();
  EXPECT_EQ(TextLength(cookieJar), 0);
  EXPECT_TRUE(CaptchaBox()->HasPicture());

  WriteControlText(编辑框3, kDownloadId);
  WriteControlText(编辑框1, "ABCD");
  AnswerNextMessageBox();
  ResolveDownloadAddress();
  const auto verifications = RequestsTo("POST", "/downcode.php");
  ASSERT_EQ(verifications.size(), 1u);
  EXPECT_EQ(verifications[0].Header("Cookie"), std::nullopt);
}

TEST_F(WorkflowTest, OverlappingRefreshesEndWithPictureAndJarOfOneAnswer) {
  StandinBehaviour behaviour;
  behaviour.captchaDelayMilliseconds = 30;
  standin->SetBehaviour(behaviour);

  for (int i = 0; i < 3; ++i) OnDownloadIdFocused();
  SettleRefreshes();

  EXPECT_EQ(RequestsTo("GET", "/downcode.php").size(), 3u);
  const std::string session = SessionIn(cookieJar);
  ASSERT_NE(session, "");
  const std::string captcha = standin->CaptchaOf(session);
  const auto expected = DecodePicture(reinterpret_cast<const std::uint8_t*>(captcha.data()), captcha.size());
  ASSERT_TRUE(expected.has_value());
  ASSERT_TRUE(CaptchaBox()->HasPicture());
  EXPECT_EQ(CaptchaBox()->CurrentPicture()->frames.at(0), ToScreenPicture(*expected)->frames.at(0));
}

TEST_F(WorkflowTest, AVerificationWaitsForTheRefreshUnderWayAndUsesItsCookies) {
  StandinBehaviour behaviour;
  behaviour.captchaDelayMilliseconds = 300;
  standin->SetBehaviour(behaviour);
  WriteControlText(编辑框3, kDownloadId);
  WriteControlText(编辑框1, "ABCD");

  OnDownloadIdFocused();
  AnswerNextMessageBox();
  ResolveDownloadAddress();

  const auto captchas = RequestsTo("GET", "/downcode.php");
  const auto verifications = RequestsTo("POST", "/downcode.php");
  ASSERT_EQ(verifications.size(), 1u);
  ASSERT_GE(captchas.size(), 1u);
  // The focus refresh was the first request and ended before the
  // verification; the rejected code then brought a second captcha.
  EXPECT_EQ(standin->Requests().front().method, "GET");
  // Sent without waiting, the verification would carry no cookie at all: the
  // jar is empty until the refresh's answer arrives.
  const auto cookie = verifications[0].Header("Cookie");
  ASSERT_TRUE(cookie.has_value());
  ASSERT_TRUE(cookie->starts_with("PHPSESSID="));
  const std::string verifiedSession = cookie->substr(10);
  EXPECT_NE(standin->CaptchaOf(verifiedSession), "");
  EXPECT_NE(verifiedSession, SessionIn(cookieJar));
  EXPECT_EQ(messages, std::vector<std::string>{"验证码过期或错误"});
}

}  // namespace
