// Opens the self-scoring pages written by test_quiz_delivery_pagegen in
// Debian's Chromium, answers them, grades them and checks what the student sees.
//
//   node page_browser_test.js <folder of the pages>
'use strict';

const fs = require('fs');
const os = require('os');
const path = require('path');
const { pathToFileURL } = require('url');
const { chromium } = require(path.join(__dirname, '..', '..', '..', 'tools', 'node_modules', 'playwright-core'));

const BLUE = 'rgb(0, 153, 255)';
const RED = 'rgb(255, 0, 0)';

// Each step answers some questions (a letter per question, '.' for none),
// presses the grading button and expects the right answers and the score.
// Answers stay from one step to the next, as in the page itself.
const CASES = [
  { page: 'four', keys: 'ABCD', steps: [{ answers: 'ABCD', right: 4, score: 10 }] },
  { page: 'four', keys: 'ABCD', steps: [{ answers: 'ABCA', right: 3, score: 8 }] },
  { page: 'four', keys: 'ABCD', steps: [{ answers: '....', right: 0, score: 0 }] },
  { page: 'four', keys: 'ABCD', steps: [{ answers: 'BADC', right: 0, score: 0 }] },
  {
    page: 'four', keys: 'ABCD', steps: [
      { answers: 'AB..', right: 2, score: 5 },
      { answers: '..CD', right: 4, score: 10 },
      { answers: 'D...', right: 3, score: 8 }, // a later choice replaces the earlier one
    ],
  },
  { page: 'one', keys: 'C', steps: [{ answers: 'C', right: 1, score: 10 }] },
  { page: 'one', keys: 'C', steps: [{ answers: 'A', right: 0, score: 0 }] },
  { page: 'one', keys: 'C', steps: [{ answers: '.', right: 0, score: 0 }] },
  { page: 'three', keys: 'AAA', steps: [{ answers: 'ABB', right: 1, score: 3 }] },
  { page: 'eight', keys: 'ABCDABCD', steps: [{ answers: 'ABCDAAAA', right: 5, score: 6 }] },
  { page: 'oddkeys', keys: " '<", steps: [{ answers: 'ABC', right: 0, score: 0 }, { answers: 'DDD', right: 0, score: 0 }] },
  { page: 'hostile', keys: "A'\\", steps: [{ answers: 'AB.', right: 1, score: 3 }], hostile: true },
  // Not a self-scoring page: a question page with hostile file names and one real picture.
  { page: 'question', keys: '', steps: [], files: 4 },
  // 1000 questions, keys ABCD over and over; every eighth answer is wrong: 875 right.
  {
    page: 'thousand', keys: 'ABCD'.repeat(250),
    steps: [{ answers: Array.from({ length: 1000 }, (_, i) => (i % 8 === 7 ? 'A' : 'ABCD'[i % 4])).join(''), right: 875, score: 9 }],
  },
];

// Texts of the hostile page that must show as typed, not as markup.
const HOSTILE_TEXTS = [
  '1. <script>window.__pwned=1</script>',
  'A) <img src=x onerror="window.__pwned=1">',
  'D) </b></p><svg onload=window.__pwned=1>',
  '<iframe srcdoc="<script>parent.__pwned=1</script>">',
  'C) <b> typed',
  '3. </script><script>window.__pwned=1</script>',
];

function expectEqual(actual, expected, what) {
  if (actual !== expected) {
    throw new Error(`${what}: expected ${JSON.stringify(expected)}, got ${JSON.stringify(actual)}`);
  }
}

async function waitFor(condition, what) {
  const deadline = Date.now() + 10000;
  while (!condition()) {
    if (Date.now() > deadline) throw new Error(`no ${what}`);
    await new Promise((resolve) => setTimeout(resolve, 10));
  }
}

async function runCase(context, root, testCase) {
  const page = await context.newPage();
  const dialogs = [];
  const errors = [];
  page.on('dialog', (dialog) => {
    dialogs.push(dialog.message());
    dialog.accept();
  });
  page.on('pageerror', (error) => errors.push(error.message));
  try {
    await page.goto(pathToFileURL(path.join(root, testCase.page, 'index.htm')).href);
    if (testCase.files) {
      await Promise.all(page.frames().map((frame) => frame.waitForLoadState('load')));
      expectEqual(await page.locator('embed, img').count(), testCase.files, 'embedded files');
      expectEqual(await page.locator('img[src$="dot.gif"]').evaluate((img) => img.naturalWidth), 1,
        'picture in the bank folder');
      expectEqual(dialogs.join('; '), '', 'dialogs from the bank');
      return;
    }
    const n = testCase.keys.length;
    expectEqual(await page.locator('input[type=radio]').count(), 4 * n, 'radio buttons');

    const chosen = Array(n).fill(null);
    for (const step of testCase.steps) {
      const clicks = [];
      for (let i = 0; i < n; i++) {
        const letter = step.answers[i];
        if (letter === '.') continue;
        clicks.push(`input[name="q${i + 1}"][value="v${'ABCD'.indexOf(letter) + 1}"]`);
        chosen[i] = letter;
      }
      if (n <= 10) {
        for (const selector of clicks) await page.locator(selector).check();
      } else {
        // A real click on each button, in one round trip for long pages.
        await page.evaluate((selectors) => selectors.forEach((sel) => document.querySelector(sel).click()), clicks);
      }
      const before = dialogs.length;
      await page.locator('input[type=button][value="Làm xong"]').click();
      await waitFor(() => dialogs.length > before, 'the grading alert');
      expectEqual(dialogs.length, before + 1, 'alerts after grading');
      expectEqual(dialogs[before], `Tổng số câu : ${n}\nSố câu đúng : ${step.right}\nĐiểm số : ${step.score}`,
        'alert text');

      const marks = await page.evaluate((count) => {
        const result = [];
        for (let i = 1; i <= count; i++) {
          const div = document.getElementById(`DapAn${i}`);
          const heading = div.firstElementChild;
          result.push({
            count: div.children.length,
            tag: heading && heading.tagName,
            text: div.textContent,
            color: heading && getComputedStyle(heading).color,
            bold: heading && heading.querySelector('b') !== null,
          });
        }
        return result;
      }, n);
      for (let i = 0; i < n; i++) {
        const right = chosen[i] === testCase.keys[i];
        const mark = marks[i];
        const where = `${testCase.page} question ${i + 1}`;
        expectEqual(mark.count, 1, `${where} mark elements`);
        expectEqual(mark.tag, right ? 'H3' : 'H4', `${where} mark`);
        expectEqual(mark.color, right ? BLUE : RED, `${where} colour`);
        expectEqual(mark.text, `Đáp án : ${testCase.keys[i]}`, `${where} key shown`);
        expectEqual(mark.bold, true, `${where} bold key`);
      }
      // Radio buttons stay usable after grading.
      expectEqual(await page.locator('input[name="q1"]').first().isEnabled(), true, 'radio after grading');
    }

    if (testCase.page === 'four') {
      const width = await page.locator('img[src="dot.gif"]').evaluate((img) => img.naturalWidth);
      expectEqual(width, 1, 'picture beside the page');
      expectEqual(await page.locator('p b b').first().textContent(), 'đậm', 'bold tag');
      expectEqual(await page.locator('p b br').count(), 1, 'line break tag');
    }
    if (testCase.hostile) {
      const body = await page.evaluate(() => document.body.innerText);
      for (const text of HOSTILE_TEXTS) {
        if (!body.includes(text)) throw new Error(`hostile text not shown as typed: ${text}`);
      }
      expectEqual(await page.locator('script').count(), 2, 'scripts in the page');
      expectEqual(await page.locator('iframe, svg, [onerror]:not(input), [onload]').count(), 0, 'injected elements');
    }
    expectEqual(await page.evaluate(() => typeof window.__pwned), 'undefined', 'script from the bank');
    expectEqual(dialogs.length, testCase.steps.length, 'dialogs shown');
    expectEqual(errors.join('; '), '', 'script errors');
  } finally {
    await page.close();
  }
}

async function main() {
  const root = process.argv[2];
  if (!root || !fs.existsSync(root)) throw new Error(`no page folder: ${root}`);
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'tq-chromium-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: '/usr/bin/chromium',
    headless: true,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  });
  // The page links a logo on the web; the test never leaves the machine.
  await context.route('**/*', (route) =>
    route.request().url().startsWith('file:') ? route.continue() : route.abort());
  let failed = 0;
  try {
    for (const testCase of CASES) {
      const name = `${testCase.page} ${testCase.steps.map((s) => s.answers.slice(0, 12)).join(' then ')}`;
      try {
        await runCase(context, root, testCase);
        console.log(`ok   ${name}`);
      } catch (error) {
        failed++;
        console.log(`FAIL ${name}: ${error.message}`);
      }
    }
  } finally {
    await context.close();
    fs.rmSync(profile, { recursive: true, force: true });
  }
  console.log(`${CASES.length - failed} of ${CASES.length} cases passed`);
  process.exitCode = failed ? 1 : 0;
}

main().catch((error) => {
  console.error(error);
  process.exitCode = 1;
});
