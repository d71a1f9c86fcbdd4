// The venue's board page in a real browser: Debian's chromium, headless, driven by
// puppeteer-core against the test server (tests/board_page_server), which serves the demo
// event on 127.0.0.1 and changes it on command.  Screenshots go to build/browser/ to be looked
// at; a GoogleTest-style XML report (for the test command's totals) goes where --report says.
//
// Usage: node board_test.mjs [--server PROGRAM] [--data DIR] [--out DIR] [--report FILE] [--filter TEXT]
import { spawn } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import readline from "node:readline";
import { fileURLToPath } from "node:url";
import puppeteer from "puppeteer-core";

const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), "../..");
const option = (name, fallback) => {
  const i = process.argv.indexOf(name);
  return i > 0 && i + 1 < process.argv.length ? process.argv[i + 1] : fallback;
};
const serverProgram = option("--server", path.join(root, "build/native/tests/board_page_server"));
const dataDir = option("--data", path.join(root, "demo"));
const outDir = option("--out", path.join(root, "build/browser"));
const reportFile = option("--report", null);
const only = option("--filter", "");  // run only the cases whose names hold this
const kHost = "127.0.0.1";
const kSeeWithin = 1000;  // a change reaches the page within this, in ms
const kWholeRun = 180000; // the whole run, whatever hangs

// ---- the test server -----------------------------------------------------------------------

class BoardServer {
  constructor() {
    this.child = spawn(serverProgram, [dataDir], { stdio: ["pipe", "pipe", "inherit"] });
    this.lines = [];
    this.waiters = [];
    readline.createInterface({ input: this.child.stdout }).on("line", (line) => {
      this.lines.push(line);
      this.wake();
    });
    this.child.on("exit", () => {
      this.exited = true;
      this.wake();
    });
    this.child.on("error", (err) => {
      this.exited = true;
      this.failure = err.message;
      this.wake();
    });
  }
  wake() {
    for (const w of this.waiters.splice(0)) w();
  }
  // The next line of the form "WORD N", within timeout ms.
  async expect(word, timeout = 5000) {
    const until = Date.now() + timeout;
    for (;;) {
      const i = this.lines.findIndex((l) => l.startsWith(word + " "));
      if (i >= 0) {
        const line = this.lines.splice(0, i + 1).pop();
        return Number(line.slice(word.length + 1));
      }
      if (this.exited) throw new Error(`the test server ended (${this.failure || "exit"}) before "${word}"`);
      const left = until - Date.now();
      if (left <= 0) throw new Error(`no "${word}" from the test server within ${timeout} ms`);
      await new Promise((resolve) => {
        const t = setTimeout(resolve, left);
        this.waiters.push(() => {
          clearTimeout(t);
          resolve();
        });
      });
    }
  }
  // Sends one command; resolves with the seq it answers.
  async send(command) {
    this.child.stdin.write(command + "\n");
    this.seq = await this.expect("seq");
    return this.seq;
  }
  // Sends one command; resolves with the lines it printed before its seq.
  async said(command) {
    const before = this.lines.length;
    this.child.stdin.write(command + "\n");
    const until = Date.now() + 5000;
    while (!this.lines.slice(before).some((l) => l.startsWith("seq "))) {
      if (this.exited || Date.now() > until) throw new Error(`no answer to "${command}"`);
      await new Promise((r) => setTimeout(r, 10));
    }
    const said = this.lines.splice(before);
    this.seq = Number(said.pop().slice(4));
    return said;
  }
  // /api/state once it holds the last command's change: the server makes its answers from a
  // published snapshot on a thread of its own, a moment after the command.
  async state() {
    const until = Date.now() + 5000;
    for (;;) {
      const answer = await fetch(`http://${kHost}:${this.port}/api/state`, { signal: AbortSignal.timeout(5000) });
      const s = await answer.json();
      if (s.seq >= (this.seq || 0)) return s;
      if (Date.now() > until) throw new Error(`/api/state stays at seq ${s.seq}, the server said ${this.seq}`);
      await new Promise((r) => setTimeout(r, 20));
    }
  }
  kill() {
    if (!this.exited) this.child.kill("SIGKILL");
  }
}

// ---- the page ------------------------------------------------------------------------------

// The drawn runs as the browser window shows them, and the stage they sit on.
async function drawn(page) {
  return page.evaluate(() => {
    const box = (el) => {
      const r = el.getBoundingClientRect();
      return { left: r.left, top: r.top, right: r.right, bottom: r.bottom, width: r.width, height: r.height };
    };
    const stage = document.getElementById("stage");
    const visible = getComputedStyle(stage).visibility === "visible" && getComputedStyle(document.getElementById("runs")).visibility === "visible";
    return {
      stage: box(stage),
      visible,
      banner: getComputedStyle(document.getElementById("banner")).display !== "none",
      runs: [...document.querySelectorAll("#runs .run")].map((el) => ({
        text: el.textContent,
        title: el.classList.contains("title"),
        struck: el.classList.contains("struck"),
        colour: getComputedStyle(el).color,
        ...box(el),
      })),
    };
  });
}

const texts = (d) => d.runs.map((r) => r.text.trim()).filter((t) => t !== "");

async function waitFor(page, what, test, timeout = 5000) {
  const until = Date.now() + timeout;
  let last;
  for (;;) {
    last = await drawn(page);
    if (test(last)) return last;
    if (Date.now() > until) throw new Error(`${what}: not seen within ${timeout} ms; drawn: ${JSON.stringify(texts(last))}`);
    await new Promise((r) => setTimeout(r, 25));
  }
}

async function shoot(page, name, options = {}) {
  const file = path.join(outDir, name + ".png");
  await page.screenshot({ path: file, ...options });
  return file;
}

// RGBA pixels of a PNG, decoded by the browser itself (no picture library needed here).
async function pixels(browser, file) {
  const page = await browser.newPage();
  try {
    const data = "data:image/png;base64," + fs.readFileSync(file).toString("base64");
    return await page.evaluate(async (src) => {
      const img = new Image();
      img.src = src;
      await img.decode();
      const c = document.createElement("canvas");
      c.width = img.width;
      c.height = img.height;
      const g = c.getContext("2d");
      g.drawImage(img, 0, 0);
      return { width: img.width, height: img.height, data: Array.from(g.getImageData(0, 0, img.width, img.height).data) };
    }, data);
  } finally {
    await page.close();
  }
}
const at = (p, x, y) => p.data.slice((y * p.width + x) * 4, (y * p.width + x) * 4 + 4);

// ---- checks --------------------------------------------------------------------------------

function check(condition, message) {
  if (!condition) throw new Error(message);
}

// Every run lies on the stage, the stage in the window with the output's proportions, and
// the text is scaled with it (the entries no smaller than the output's 12 px would allow).
function checkPlacement(d, viewport, size) {
  const s = d.stage;
  const k = Math.min(viewport.width / size.width, viewport.height / size.height);
  check(Math.abs(s.width - size.width * k) < 1.5 && Math.abs(s.height - size.height * k) < 1.5,
    `stage ${s.width}x${s.height} is not the output's ${size.width}x${size.height} scaled by ${k}`);
  check(Math.abs(s.left - (viewport.width - s.width) / 2) < 1.5 && Math.abs(s.top - (viewport.height - s.height) / 2) < 1.5,
    `stage at ${s.left},${s.top} is not centred`);
  for (const r of d.runs) {
    if (r.text.trim() === "") continue;
    check(r.left >= s.left - 1 && r.right <= s.right + 1 && r.top >= s.top - 1 && r.bottom <= s.bottom + 1,
      `"${r.text}" lies outside the stage`);
    check(r.height >= 10 * k, `"${r.text}" is ${r.height} px high at scale ${k}`);
  }
}

// A ranking as the screens draw it: one "第N名：" label per rank, the tied names together.
function expectRanking(d, list, nameOf) {
  const labels = texts(d).filter((t) => /^第\d+名：$/.test(t));
  const ranks = [...new Set(list.map((e) => e.rank))];
  check(JSON.stringify(labels) === JSON.stringify(ranks.map((r) => `第${r}名：`)),
    `rank labels ${JSON.stringify(labels)}, expected ranks ${JSON.stringify(ranks)}`);
  for (const r of ranks) {
    const names = list.filter((e) => e.rank === r).map(nameOf).join(" ");
    check(texts(d).includes(names), `rank ${r}: "${names}" not drawn on one line`);
    const label = d.runs.find((x) => x.text === `第${r}名：`);
    const line = d.runs.find((x) => x.text.trim() === names);
    check(Math.abs(label.top - line.top) < 1 && line.left > label.left, `rank ${r}: names not beside the label`);
  }
}

const viewport = { width: 1280, height: 720 };

const cases = [
  ["ShowsTheScoringBoardAsTheOutputDoes", async ({ page, server, port }) => {
    await server.send("screen scoring");
    const s = await server.state();
    const d = await waitFor(page, "the scoring board", (d) => d.visible && texts(d).includes(s.title) && d.runs.length > 2 * s.teams.length);
    for (const t of s.teams) {
      const label = d.runs.find((r) => r.text === (t.group ? `${t.name}（${t.group}）` : t.name));
      check(label, `team ${t.name} not drawn`);
      const score = d.runs.find((r) => r.text === t.score && Math.abs(r.top - label.top) < 1 && r.left > label.left);
      check(score, `score ${t.score} of ${t.name} not beside it`);
    }
    // Roster order, column by column: the first team is above the second, the last in the right column.
    const first = d.runs.find((r) => r.text.startsWith(s.teams[0].name));
    const second = d.runs.find((r) => r.text.startsWith(s.teams[1].name));
    const last = d.runs.find((r) => r.text.startsWith(s.teams[s.teams.length - 1].name));
    check(second.top > first.top && Math.abs(second.left - first.left) < 1, "the second team is not below the first");
    if (s.cols > 1) check(last.left > first.left, "the last team is not in a later column");
    const title = d.runs.find((r) => r.title);
    check(title.text === s.title && title.top < first.top, "the title is not above the board");
    check(title.colour === cssRgb(s.colours.title), `title colour ${title.colour}, expected ${s.colours.title}`);
    check(first.colour === cssRgb(s.colours.team), `team colour ${first.colour}, expected ${s.colours.team}`);
    checkPlacement(d, viewport, s.size);
    await shoot(page, "scoring");
  }],
  ["SeesAScoreChangeWithinOneSecond", async ({ page, server, port }) => {
    await server.send("screen scoring");
    const before = await server.state();
    const name = before.teams[0].name;
    const scoreOf = (d) => {
      const label = d.runs.find((r) => r.text.startsWith(name));
      const score = label && d.runs.find((r) => r !== label && Math.abs(r.top - label.top) < 1 && r.left > label.left);
      return score ? score.text : null;
    };
    await waitFor(page, "the board", (d) => scoreOf(d) === before.teams[0].score);
    for (const value of ["37", "5"]) {
      const began = Date.now();
      await server.send(`score 0 ${value}`);
      await waitFor(page, `score ${value}`, (d) => /^\d/.test(scoreOf(d) || "") && scoreOf(d).split(".")[0] === value, kSeeWithin);
      const took = Date.now() - began;
      check(took <= kSeeWithin, `score ${value} took ${took} ms`);
      const now = await server.state();
      await waitFor(page, "the state's score text", (d) => scoreOf(d) === now.teams[0].score, kSeeWithin);
      console.log(`  score ${value} seen after ${took} ms`);
    }
  }],
  ["SwitchesScreensWithTheProjector", async ({ page, server, port }) => {
    await server.send("screen individual");
    let s = await server.state();
    let d = await waitFor(page, "the individual ranking", (d) => d.visible && texts(d).includes("第1名："));
    expectRanking(d, s.individual, (e) => e.name);
    checkPlacement(d, viewport, s.size);
    await shoot(page, "individual");
    await server.send("screen group");
    s = await server.state();
    d = await waitFor(page, "the group ranking", (d) => texts(d).includes("第1名：") && !texts(d).some((t) => s.individual.some((e) => t.includes(e.name))));
    expectRanking(d, s.groups, (e) => e.group);
    await shoot(page, "group");
    await server.send("screen welcome");
    d = await waitFor(page, "the welcome screen", (d) => d.visible && texts(d).length === 1);
    check(texts(d)[0] === s.title, `welcome shows ${JSON.stringify(texts(d))}`);
    await shoot(page, "welcome");
  }],
  ["BlackoutIsBlackAndOutputOffShowsNothing", async ({ browser, page, server }) => {
    await server.send("screen scoring");
    await waitFor(page, "the scoring board", (d) => d.visible && d.runs.length > 2);
    await server.send("blackout 1");
    await waitFor(page, "blackout", (d) => !d.visible, kSeeWithin);
    const black = await pixels(browser, await shoot(page, "blackout"));
    for (let y = 0; y < black.height; y += 7)
      for (let x = 0; x < black.width; x += 7) {
        const [r, g, b] = at(black, x, y);
        check(r === 0 && g === 0 && b === 0, `pixel ${x},${y} is ${r},${g},${b} during a blackout`);
      }
    await server.send("blackout 0");
    await waitFor(page, "the board after the blackout", (d) => d.visible && d.runs.length > 2, kSeeWithin);
    await server.send("output 0");
    await waitFor(page, "output off", (d) => !d.visible, kSeeWithin);
    await server.send("output 1");
    await waitFor(page, "output on", (d) => d.visible && d.runs.length > 2, kSeeWithin);
  }],
  ["CountsTheAnswerClockOnByItself", async ({ page, server }) => {
    await server.send("screen scoring");
    await server.send("timer start");
    const s = await server.state();
    check(s.timer && s.timer.running && s.timer.mode === "countdown" && s.timer.remaining_ms > 59000 && s.timer.remaining_ms <= 60000,
      `the state's timer: ${JSON.stringify(s.timer)}`);
    // The clock: the run that reads as a time; top right, in the team colour.
    const clockOf = (d) => d.runs.find((r) => /^\d\d(:\d\d)?$/.test(r.text.trim()));
    const first = await waitFor(page, "the clock", (d) => clockOf(d) !== undefined, kSeeWithin);
    const c = clockOf(first);
    check(c.right > first.stage.right - first.stage.width * 0.1 && c.top < first.stage.top + first.stage.height * 0.2,
      `the clock stands at ${JSON.stringify(c)} in ${JSON.stringify(first.stage)}`);
    check(c.colour === "rgb(255, 255, 255)", `the clock's colour ${c.colour}`);
    // (The test server's clock is real: the state may be a millisecond into the minute.)
    // The console publishes nothing more (nothing ticks its model): the page counts on alone.
    await waitFor(page, "the clock counted on", (d) => clockOf(d) && clockOf(d).text.trim() === "58", 3500);
    check((await server.state()).seq === s.seq, "the state changed while the page counted");
    await shoot(page, "clock");
    await server.send("timer reset");
    await waitFor(page, "the clock gone", (d) => clockOf(d) === undefined, kSeeWithin);
  }],
  ["TheBuzzersWinnerStandsOnABandClearedOfTheBoard", async ({ page, server }) => {
    await server.send("screen scoring");
    await server.send("buzz 5");
    const d = await waitFor(page, "the winner", (d) => d.runs.some((r) => r.text.endsWith(" 抢答")), kSeeWithin);
    const name = d.runs.find((r) => r.text.endsWith(" 抢答"));
    check(name.colour === "rgb(255, 215, 0)", `the winner's colour ${name.colour}`);
    for (const r of d.runs)
      check(r === name || r.bottom <= name.top || r.top >= name.bottom, `"${r.text}" shows through the winner's name`);
    await shoot(page, "buzzer");
    await server.send("buzz reset");
    const after = await waitFor(page, "the name gone", (d) => !d.runs.some((r) => r.text.endsWith(" 抢答")), kSeeWithin);
    check(after.runs.some((r) => r.top < name.bottom && r.bottom > name.top), "no board line behind the name: the test shows nothing");
  }],
  ["RanksOneLinePerEntryWhenTheOutputDoes", async ({ page, server }) => {
    const start = await server.state();
    const before = start.teams[1].score;
    await server.send(`score 1 ${start.teams[0].score}`);  // ties with the first team
    await server.send("perentry 1");
    await server.send("screen individual");
    const s = await server.state();
    check(s.per_entry === true, `per_entry ${s.per_entry}`);
    const rank = s.individual.find((e) => e.name === s.teams[0].name).rank;
    const tied = s.individual.filter((e) => e.rank === rank).map((e) => e.name);
    check(tied.length === 2, `tied ${JSON.stringify(tied)}`);
    const d = await waitFor(page, "a line per entry", (d) => tied.every((n) => texts(d).includes(n)), kSeeWithin);
    const labels = texts(d).filter((t) => /^第\d+名：$/.test(t));
    check(labels.length === new Set(s.individual.map((e) => e.rank)).size, `labels ${JSON.stringify(labels)}`);
    const [a, b] = tied.map((n) => d.runs.find((r) => r.text === n));
    check(a.top !== b.top || a.left !== b.left, "the tied entries share a line");
    await server.send("perentry 0");
    await server.send(`score 1 ${before}`);
  }],
  ["ARevealShowsOnlyTheRevealedRanks", async ({ page, server, port }) => {
    await server.send("screen individual");
    const whole = await server.state();
    const maxRank = Math.max(...whole.individual.map((e) => e.rank));
    let d;
    for (let step = 1; step <= 2; ++step) {
      await server.send("reveal");
      const s = await server.state();
      check(s.reveal && s.reveal.step === step, `reveal step ${JSON.stringify(s.reveal)}`);
      const shownRanks = whole.individual.filter((e) => e.rank > maxRank - step);
      d = await waitFor(page, `reveal step ${step}`, (d) => texts(d).filter((t) => /^第\d+名：$/.test(t)).length === step, kSeeWithin);
      expectRanking(d, s.individual, (e) => e.name);
      for (const e of whole.individual.filter((e) => e.rank <= maxRank - step))
        check(!texts(d).some((t) => t.includes(e.name)), `${e.name} (rank ${e.rank}) shown before its turn`);
      check(s.individual.length === shownRanks.length, "the state holds more than the revealed ranks");
    }
    // The revealed ranks stay on the lines the whole ranking gives them.
    const lowest = d.runs.find((r) => r.text === `第${maxRank}名：`);
    const next = d.runs.find((r) => r.text === `第${maxRank - 1}名：`);
    check(lowest.top > next.top || lowest.left > next.left, "the last place is not after the one above it");
    await shoot(page, "reveal");
    await server.send("screen scoring");
  }],
  ["StagesTheJudgesPanel", async ({ page, server, port }) => {
    await server.send("screen scoring");
    await server.send("panel 0 9.50 9.00 8.50 9.20 7.80");
    for (let step = 1; ; ++step) {
      await server.send("step");
      const s = await server.state();
      check(s.panel, `no panel in the state at step ${step}: ${JSON.stringify(s)}`);
      const d = await waitFor(page, `panel step ${step}`, (d) => texts(d).includes(s.panel.label) && texts(d).includes("评委1"), kSeeWithin);
      for (const [k, j] of s.panel.judges.entries()) {
        check(texts(d).includes(`评委${k + 1}`), `judge ${k + 1} not drawn`);
        check(d.runs.some((r) => r.text === j.score && r.struck === j.struck), `judge ${k + 1}'s ${j.score} (struck ${j.struck}) not drawn`);
      }
      check(!texts(d).some((t) => t.startsWith(s.teams[1].name)), "the board shows through the panel");
      if (s.panel.final) {
        check(texts(d).some((t) => t.includes(s.panel.final)), "the final score is not drawn");
        await shoot(page, "panel");
        break;
      }
      check(step < 5, "the panel never showed a final score");
    }
    await server.send("screen scoring");
  }],
  ["ShowsTheConnectionLossAndRecovers", async ({ browser, page, server, port }) => {
    await server.send("screen scoring");
    await waitFor(page, "the scoring board", (d) => d.visible && d.runs.length > 2);
    await server.send("stop");
    const down = await waitFor(page, "the connection loss", (d) => d.banner, 10000);
    check(!down.visible, "the scores stay on show while the connection is down");
    const banner = await page.$eval("#banner", (el) => el.textContent);
    check(banner === "连接中断，正在重连…", `banner "${banner}"`);
    await shoot(page, "reconnecting");
    await server.send("serve");
    const s = await server.state();
    await waitFor(page, "recovery", (d) => !d.banner && d.visible && texts(d).includes(s.teams[0].score), 15000);
    await server.send("score 1 42");
    await waitFor(page, "a change after recovery", (d) => texts(d).some((t) => t.split(".")[0] === "42"), kSeeWithin);
  }],
  ["FollowsTheBrowserWindowsSize", async ({ page, server }) => {
    const s = await server.state();
    for (const size of [{ width: 600, height: 900 }, { width: 1600, height: 500 }]) {
      await page.setViewport(size);
      const d = await waitFor(page, `the board at ${size.width}x${size.height}`, (d) => Math.abs(d.stage.width - Math.min(size.width, (size.height * s.size.width) / s.size.height)) < 1.5);
      checkPlacement(d, size, s.size);
    }
    await page.setViewport(viewport);
  }],
  ["TransparentPageHasNoBackgroundOrPictures", async ({ browser, server, port }) => {
    await server.send("screen scoring");
    const page = await browser.newPage();
    try {
      await page.setViewport(viewport);
      const requested = [];
      page.on("request", (r) => requested.push(new URL(r.url()).pathname));
      await page.goto(`http://${kHost}:${port}/board?transparent=1`, { waitUntil: "load", timeout: 10000 });
      const d = await waitFor(page, "the transparent board", (d) => d.visible && d.runs.length > 2);
      const s = await server.state();
      checkPlacement(d, viewport, s.size);
      check(!requested.some((p) => p.startsWith("/data/")), `requested ${requested.join(", ")}`);
      const html = await page.content();
      check(!html.includes("/data/"), "the transparent page refers to the pictures");
      const backgrounds = await page.evaluate(() => [getComputedStyle(document.documentElement).backgroundColor, getComputedStyle(document.body).backgroundColor]);
      check(backgrounds.every((b) => b === "rgba(0, 0, 0, 0)"), `backgrounds ${backgrounds}`);
      const shot = await pixels(browser, await shoot(page, "transparent", { omitBackground: true }));
      // Clear everywhere but where text is drawn; some text is drawn.
      const inText = (x, y) => d.runs.some((r) => x >= r.left - 2 && x <= r.right + 4 && y >= r.top - 2 && y <= r.bottom + 4);
      let opaque = 0;
      for (let y = 0; y < shot.height; y += 3)
        for (let x = 0; x < shot.width; x += 3) {
          const alpha = at(shot, x, y)[3];
          if (inText(x, y)) opaque += alpha > 0 ? 1 : 0;
          else check(alpha === 0, `pixel ${x},${y} outside the text has alpha ${alpha}`);
        }
      check(opaque > 100, "no text drawn on the transparent page");
    } finally {
      await page.close();
    }
  }],
  ["APinnedPageKeepsItsScreen", async ({ browser, server, port }) => {
    await server.send("screen scoring");
    const page = await browser.newPage();
    try {
      await page.setViewport(viewport);
      await page.goto(`http://${kHost}:${port}/board?screen=group`, { waitUntil: "load", timeout: 10000 });
      const s = await server.state();
      let d = await waitFor(page, "the pinned group ranking", (d) => d.visible && texts(d).includes("第1名："));
      expectRanking(d, s.groups, (e) => e.group);
      check(!texts(d).some((t) => t.startsWith(s.teams[0].name)), "the pinned page shows the scoring board");
      await shoot(page, "pinned-group");
      await server.send("output 0");
      d = await waitFor(page, "the pinned page with the output off", (d) => d.visible && texts(d).includes("第1名："));
      await server.send("blackout 1");
      await waitFor(page, "the pinned page at a blackout", (d) => !d.visible, kSeeWithin);
      await server.send("blackout 0");
      await server.send("output 1");
      await waitFor(page, "the pinned page again", (d) => d.visible && texts(d).includes("第1名："), kSeeWithin);
    } finally {
      await page.close();
    }
  }],
  ["AJudgeScoresFromThePhoneAndNothingIsLost", async ({ browser, server, port }) => {
    const tokens = (await server.said("judges 3")).map((l) => l.split(" ")[2]);
    let page = await browser.newPage();
    try {
      await page.setViewport({ width: 390, height: 700 });
      const link = `http://${kHost}:${port}/judge?seat=2&token=${tokens[1]}`;
      await page.goto(link, { waitUntil: "load", timeout: 10000 });
      const text = (id) => page.$eval(id, (el) => el.textContent);
      const until = async (what, test, timeout = 5000) => {
        const end = Date.now() + timeout;
        while (!(await test())) {
          if (Date.now() > end) throw new Error(`${what}: not within ${timeout} ms`);
          await new Promise((r) => setTimeout(r, 25));
        }
      };
      await until("waiting", async () => (await text("#contestant")) === "请等待下一位选手" && (await text("#banner")) === "已连接");
      await server.send("judge 1");
      const s = await server.state();
      const label = s.judging.label;
      await until("the contestant", async () => (await text("#contestant")) === label, kSeeWithin);
      check((await text("#seat")) === "评委2", `seat "${await text("#seat")}"`);

      await page.type("#score", "9.5");
      await page.click("#send");
      await until("the acknowledgement", async () => (await text("#status")) === "已提交 9.50");
      await shoot(page, "judge");
      check(JSON.stringify(await server.said("taken")) === JSON.stringify(["taken 2 1 950"]), "the score not taken once");

      // The server gone: the page keeps the score and sends it once the server is back.
      const sendWhileDown = async (score) => {
        await server.send("stop");
        await until("the loss", async () => (await text("#banner")) === "连接中断，正在重试…", 10000);
        await page.$eval("#score", (el) => (el.value = ""));
        await page.type("#score", score);
        await page.click("#send");
        await until("kept", async () => (await text("#status")).startsWith("正在提交 " + score));
        const kept = await page.evaluate(() => Object.keys(localStorage).map((k) => localStorage.getItem(k)).join());
        check(kept.includes(score), "the unsent score is not in the page's storage");
      };
      await sendWhileDown("8.25");
      await shoot(page, "judge-retrying");
      await server.send("serve");
      await until("sent after the server's return", async () => (await text("#status")) === "已提交 8.25", 10000);
      check(JSON.stringify(await server.said("taken")) === JSON.stringify(["taken 2 1 825"]), "the kept score not taken once");
      // The page closed while the server is away (a phone's tab reloaded): the next one sends it.
      await sendWhileDown("7");
      await page.close();
      await server.send("serve");
      page = await browser.newPage();
      await page.goto(link, { waitUntil: "load", timeout: 10000 });
      await until("sent by the reloaded page", async () => (await text("#status")) === "已提交 7.00", 10000);
      check(JSON.stringify(await server.said("taken")) === JSON.stringify(["taken 2 1 700"]), "the reloaded page's score not taken once");

      await server.send("unjudge");
      await until("closed", async () => (await text("#contestant")) === "请等待下一位选手", kSeeWithin);
      await server.said("judges 0");
      await page.goto(link, { waitUntil: "load", timeout: 10000 });
      check((await page.$eval("body", (el) => el.innerText.trim())) === "评委链接无效，请向工作人员要新的链接。", "an old link shows more than the notice");
      await shoot(page, "judge-invalid");
    } finally {
      await page.close();
    }
  }],
  ["TheIndexLeadsToEveryView", async ({ browser, port }) => {
    const page = await browser.newPage();
    try {
      await page.setViewport({ width: 420, height: 800 });
      await page.goto(`http://${kHost}:${port}/`, { waitUntil: "load", timeout: 10000 });
      const links = await page.$$eval("a", (all) => all.map((a) => new URL(a.href).pathname + new URL(a.href).search));
      for (const view of ["/board", "/board?screen=scoring", "/board?screen=individual", "/board?screen=group", "/board?transparent=1", "/api/state"])
        check(links.includes(view), `no link to ${view}`);
      for (const link of new Set(links)) {
        const answer = await fetch(`http://${kHost}:${port}${link}`, { signal: AbortSignal.timeout(5000) });
        await answer.body?.cancel();
        check(answer.status === 200, `${link} answers ${answer.status}`);
      }
      await shoot(page, "index");
    } finally {
      await page.close();
    }
  }],
];

function cssRgb(hex) {
  const n = parseInt(hex.slice(1), 16);
  return `rgb(${(n >> 16) & 255}, ${(n >> 8) & 255}, ${n & 255})`;
}

function xmlEscape(text) {
  return String(text).replace(/[<>&"]/g, (c) => ({ "<": "&lt;", ">": "&gt;", "&": "&amp;", '"': "&quot;" })[c]);
}

function writeReport(results) {
  if (!reportFile) return;
  const failures = results.filter((r) => r.error).length;
  const body = results.map((r) => `    <testcase name="${r.name}" classname="BoardPage" time="${(r.ms / 1000).toFixed(3)}">` +
    (r.error ? `\n      <failure message="${xmlEscape(r.error)}"/>\n    </testcase>` : "</testcase>")).join("\n");
  fs.mkdirSync(path.dirname(reportFile), { recursive: true });
  fs.writeFileSync(reportFile, `<?xml version="1.0" encoding="UTF-8"?>\n` +
    `<testsuites tests="${results.length}" failures="${failures}" disabled="0" errors="0" name="board_page">\n` +
    `  <testsuite name="BoardPage" tests="${results.length}" failures="${failures}" disabled="0" errors="0">\n${body}\n  </testsuite>\n</testsuites>\n`);
}

async function main() {
  fs.mkdirSync(outDir, { recursive: true });
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), "quillet-chromium-"));
  const results = [];
  let server = null;
  let browser = null;
  // Whatever stops the run, neither the test server nor the browser outlives it.
  const abandon = (why) => {
    console.error(why);
    if (server) server.kill();
    if (browser) browser.process()?.kill("SIGKILL");
    fs.rmSync(profile, { recursive: true, force: true });
    process.exit(1);
  };
  const watchdog = setTimeout(() => abandon(`the browser test did not end within ${kWholeRun / 1000} s`), kWholeRun);
  for (const signal of ["SIGTERM", "SIGINT", "SIGHUP"]) process.on(signal, () => abandon(`stopped by ${signal}`));
  try {
    server = new BoardServer();
    const port = await server.expect("port", 15000);
    server.port = port;
    browser = await puppeteer.launch({
      executablePath: "/usr/bin/chromium",
      headless: true,
      timeout: 30000,
      protocolTimeout: 30000,
      userDataDir: profile,
      args: ["--no-sandbox", "--headless", "--disable-gpu", "--disable-quic", "--no-first-run",
             "--disable-background-networking", "--disable-component-update", "--disable-sync"],
    });
    const page = await browser.newPage();
    page.setDefaultTimeout(10000);
    await page.setViewport(viewport);
    // Nothing but the test server is ever asked for.
    await page.setRequestInterception(true);
    page.on("request", (r) => {
      const url = new URL(r.url());
      if (url.protocol === "data:" || (url.hostname === kHost && url.port === String(port))) r.continue();
      else r.abort();
    });
    await page.goto(`http://${kHost}:${port}/board`, { waitUntil: "load", timeout: 10000 });
    for (const [name, run] of cases.filter(([name]) => name.includes(only))) {
      const began = Date.now();
      let error = null;
      try {
        await run({ browser, page, server, port });
      } catch (err) {
        error = err.message;
      }
      results.push({ name, ms: Date.now() - began, error });
      console.log(`[${error ? "  FAILED " : "       OK "}] BoardPage.${name} (${Date.now() - began} ms)${error ? "\n  " + error : ""}`);
    }
  } catch (err) {
    results.push({ name: "SetUp", ms: 0, error: err.message });
    console.log(`[  FAILED  ] BoardPage set-up: ${err.message}`);
  } finally {
    if (browser) await browser.close().catch(() => browser.process()?.kill("SIGKILL"));
    if (server) {
      server.child.stdin.end("quit\n");
      await new Promise((r) => setTimeout(r, 200));
      server.kill();
    }
    fs.rmSync(profile, { recursive: true, force: true });
    clearTimeout(watchdog);
  }
  writeReport(results);
  const failed = results.filter((r) => r.error).length;
  console.log(`browser: ${results.length - failed} passed, ${failed} failed; screenshots in ${outDir}`);
  process.exitCode = failed === 0 && results.length > 0 ? 0 : 1;
}

main();
