// Judges scoring from their phones, against Quillet.exe serving on a loopback port: the links
// read from the network dialog, a phone's score in the open "评委打分" dialog and, after OK, in
// the list, the log and the journal; every refusal; old links refused after new ones are made;
// fifteen seats sending at once while fifty screens follow the board.  Every request goes to
// 127.0.0.1.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "framework/wnd_win.h"
#include "resources/resource.h"
#include "tests/http_test_client.h"
#include "tests/win/program_driver_win.h"

namespace {

// The judges' links of the network dialog: seat K's token at K-1.
std::vector<std::string> judgeTokens(Program& quillet, bool regenerate = false) {
  HWND dlg = quillet.openWindow(IDC_NETWORK, L"网络");
  if (!dlg) return {};
  if (regenerate) {
    // The click reaches the dialog as a posted message: wait for the new links.
    const std::string before = itemText(dlg, IDC_NET_ADDRESSES);
    clickButton(dlg, IDC_NET_REGENERATE);
    pumpUntil([&] { return itemText(dlg, IDC_NET_ADDRESSES) != before; });
  }
  const std::string lines = itemText(dlg, IDC_NET_ADDRESSES);
  clickButton(dlg, IDCANCEL);
  pumpUntil([&] { return quillet.gone(L"网络"); });
  std::vector<std::string> tokens;
  for (std::size_t at = lines.find("/judge?seat="); at != std::string::npos; at = lines.find("/judge?seat=", at + 1)) {
    const std::size_t token = lines.find("&token=", at) + 7;
    tokens.push_back(lines.substr(token, lines.find_first_of("\r\n", token) - token));
  }
  return tokens;
}

struct Sent {
  int status;
  std::string body;
};
Sent send(int port, int seat, const std::string& token, int contestant, const std::string& score, int rev) {
  Sent s{0, ""};
  s.status = requestStatus(port, "POST", "/api/judge", {},
                           "{\"seat\":" + std::to_string(seat) + ",\"token\":\"" + token +
                               "\",\"contestant\":" + std::to_string(contestant) + ",\"score\":\"" + score +
                               "\",\"rev\":" + std::to_string(rev) + "}",
                           &s.body);
  return s;
}

// The error text of an answer, in GBK as the tests' literals are.
std::string error(const Sent& s) {
  const std::size_t at = s.body.find("\"error\":\"");
  if (at == std::string::npos) return s.body;
  const std::string utf8 = s.body.substr(at + 9, s.body.rfind('"') - at - 9);
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &wide[0], n);
  return fromWide(wide);
}

HWND openPanel(Program& quillet, int row) {
  for (int i = 0; i <= row; ++i) quillet.key(VK_DOWN);
  if (!pumpUntil([&] { return quillet.selectedRow() == row; })) return nullptr;
  quillet.key(VK_F3);
  return quillet.window(L"评委打分");
}

std::string settings(int judges, int port) {
  return "judges=" + std::to_string(judges) +
         "\r\ntrim=0\r\njudgemin=0\r\njudgemax=10\r\nxsw=2\r\nnet=1\r\nport=" + std::to_string(port) + "\r\n";
}

}  // namespace

TEST(JudgePhoneEvent, APhonesScoreReachesTheDialogTheListTheLogAndTheJournalOnce) {
  const int port = freePort();
  const EventFolder event("A01,一组\r\nB02,一组\r\n", settings(3, port));
  ASSERT_TRUE(event.hasProgram());
  Program quillet(event.path());
  ASSERT_TRUE(quillet.start());
  ASSERT_TRUE(pumpUntil([&] { return quillet.logCount() == 2; }));  // started, serving
  const std::vector<std::string> tokens = judgeTokens(quillet);
  ASSERT_EQ(tokens.size(), 3u);
  EXPECT_EQ(tokens[0].size(), 22u);

  EXPECT_EQ(error(send(port, 1, tokens[0], 0, "9.5", 1)), "现在没有正在评分的选手。");
  HWND dlg = openPanel(quillet, 0);
  ASSERT_NE(dlg, nullptr);
  Sent s = send(port, 1, tokens[0], 0, "9.5", 1);
  EXPECT_EQ(s.status, 200);
  EXPECT_EQ(s.body, "{\"accepted\":true}");
  EXPECT_TRUE(pumpUntil([&] { return itemText(dlg, IDC_JUDGE_FIRST) == "9.50"; }));
  EXPECT_EQ(itemText(dlg, IDC_JUDGE_CAPTION_FIRST), "※评委1");
  EXPECT_EQ(send(port, 1, tokens[0], 0, "7", 1).status, 200);  // a resend: the first kept
  EXPECT_EQ(send(port, 3, tokens[2], 0, "8.25", 4).status, 200);
  EXPECT_EQ(send(port, 3, tokens[2], 0, "1", 3).status, 200);  // older: ignored

  // Every refusal, in the order the page relies on.
  s = send(port, 2, tokens[0], 0, "9", 1);
  EXPECT_EQ(s.status, 401);
  EXPECT_EQ(error(s), "评委链接无效，请向工作人员要新的链接。");
  s = send(port, 2, tokens[1], 1, "9", 1);
  EXPECT_EQ(s.status, 409);
  EXPECT_EQ(error(s), "这位选手的评分已经结束。");
  s = send(port, 2, tokens[1], 0, "10.5", 1);
  EXPECT_EQ(s.status, 400);
  EXPECT_EQ(error(s), "分数必须是0到10之间的数，最多两位小数");
  EXPECT_EQ(send(port, 2, tokens[1], 0, "", 1).status, 400);
  std::string body;
  EXPECT_EQ(requestStatus(port, "POST", "/api/judge", {}, "{\"seat\":2}", &body), 400);
  EXPECT_EQ(requestStatus(port, "POST", "/api/judge", {}, std::string(5000, ' ')), 413);
  const auto burst = Clock::now();
  int refused = 0;
  for (int rev = 10; rev < 21; ++rev) refused += send(port, 2, tokens[1], 0, "6", rev).status == 429 ? 1 : 0;
  if (Clock::now() - burst < 1s) {
    EXPECT_EQ(refused, 1) << "the eleventh within a second";
  }
  EXPECT_TRUE(pumpUntil([&] { return itemText(dlg, IDC_JUDGE_FIRST + 1) == "6.00"; }));

  EXPECT_EQ(itemText(dlg, IDC_JUDGE_CAPTION_FIRST + 1), "※评委2");
  setText(dlg, IDC_JUDGE_FIRST + 1, "5");  // the operator's own: no longer marked
  EXPECT_TRUE(pumpUntil([&] { return itemText(dlg, IDC_JUDGE_CAPTION_FIRST + 1) == "评委2"; }));
  EXPECT_TRUE(pumpUntil([&] { return itemText(dlg, IDC_JUDGE_FIRST + 2) == "8.25"; }));
  clickButton(dlg, IDOK);
  ASSERT_TRUE(pumpUntil([&] { return quillet.logCount() == 3; }));
  EXPECT_EQ(quillet.logText(2), "评委打分 A01（一组） 最后得分 7.58");
  EXPECT_EQ(quillet.listText(0, 2), "7.58");
  EXPECT_EQ(error(send(port, 1, tokens[0], 0, "9", 2)), "现在没有正在评分的选手。");

  // New links: the old ones are refused at once, the new ones heard.
  const std::vector<std::string> fresh = judgeTokens(quillet, true);
  ASSERT_EQ(fresh.size(), 3u);
  EXPECT_NE(fresh[0], tokens[0]);
  EXPECT_EQ(send(port, 1, tokens[0], 0, "9", 3).status, 401);
  EXPECT_EQ(send(port, 1, fresh[0], 0, "9", 3).status, 409);
  EXPECT_EQ(requestStatus(port, "GET", "/judge?seat=1&token=" + tokens[0]), 401);
  EXPECT_EQ(requestStatus(port, "GET", "/judge?seat=1&token=" + fresh[0]), 200);
  EXPECT_EQ(quillet.close(), 0u);

  const std::string journal = readFileBytes(event.path() + "Quillet.journal");
  const std::size_t panel = journal.find("panel\t");
  ASSERT_NE(panel, std::string::npos);
  const std::string record = journal.substr(panel, journal.find("\r\n", panel) - panel);
  EXPECT_NE(record.find("\t1,3\t"), std::string::npos) << record;
  const std::string saved = readFileBytes(event.path() + "Quillet.cfg");
  EXPECT_NE(saved.find("judgetokens=" + fresh[0] + ","), std::string::npos) << "new links lost at a restart";
}

TEST(JudgePhoneEvent, FifteenSeatsAtOnceWhileFiftyScreensFollowNothingLostNothingTwice) {
  const int port = freePort();
  const EventFolder event("A01,一组\r\nB02,一组\r\n", settings(15, port));
  ASSERT_TRUE(event.hasProgram());
  Program quillet(event.path());
  ASSERT_TRUE(quillet.start());
  ASSERT_TRUE(pumpUntil([&] { return quillet.logCount() == 2; }));
  const std::vector<std::string> tokens = judgeTokens(quillet);
  ASSERT_EQ(tokens.size(), 15u);
  std::vector<std::unique_ptr<EventReader>> screens;
  // Nothing is published while the seats send (the dialog changes nothing yet): the screens
  // wait longer than that in silence.
  for (int i = 0; i < 50; ++i) screens.push_back(std::make_unique<EventReader>(port, "", 60s));
  HWND dlg = openPanel(quillet, 1);
  ASSERT_NE(dlg, nullptr);
  for (auto& screen : screens) EXPECT_TRUE(screen->waitFor("\"judging\":{\"contestant\":1"));

  // Each seat sends revs 1..100 as fast as it is let (a 429 is sent again, as the page does);
  // the last one's score must stand.  A judge's score is seat + rev/100.
  std::atomic<int> unanswered{0};
  std::vector<std::thread> seats;
  for (int seat = 1; seat <= 15; ++seat)
    seats.emplace_back([&, seat] {
      for (int rev = 1; rev <= 100; ++rev) {
        const std::string score = std::to_string(seat % 10) + "." + (rev < 10 ? "0" : "") + std::to_string(rev % 100);
        int tries = 0;
        for (int status = 0; status != 200 && tries < 100; ++tries) {
          status = send(port, seat, tokens[static_cast<std::size_t>(seat - 1)], 1, score, rev).status;
          if (status == 429) std::this_thread::sleep_for(50ms);
        }
        if (tries >= 100) ++unanswered;
      }
      // A late resend of an early one changes nothing.
      send(port, seat, tokens[static_cast<std::size_t>(seat - 1)], 1, "0", 50);
    });
  for (std::thread& t : seats) t.join();
  EXPECT_EQ(unanswered, 0);
  for (int seat = 1; seat <= 15; ++seat) {
    const std::string last = std::to_string(seat % 10) + ".00";
    EXPECT_TRUE(pumpUntil([&] { return itemText(dlg, IDC_JUDGE_FIRST + seat - 1) == last; }))
        << "seat " << seat << ": " << itemText(dlg, IDC_JUDGE_FIRST + seat - 1);
  }
  clickButton(dlg, IDOK);
  ASSERT_TRUE(pumpUntil([&] { return quillet.logCount() == 3; }));
  EXPECT_EQ(quillet.listText(1, 2), "4.00");  // (1+...+9+0+1+...+5)/15 = 60/15
  for (auto& screen : screens) EXPECT_TRUE(screen->waitFor("\"name\":\"B02\",\"score\":\"4.00\""));
  EXPECT_EQ(quillet.close(), 0u);
}
