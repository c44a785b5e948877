// Lays out the fixture pages written by test_quiz_runtime_htmlpages in
// Debian's Chromium and compares them with the layout HtmlView gave them:
// picture and embed boxes and paragraph tops within a few pixels, the same
// number of lines. Saves Chromium's picture of each page beside ours.
//
//   node html_view_browser_test.js <folder of the pages>
'use strict';

const fs = require('fs');
const os = require('os');
const path = require('path');
const { pathToFileURL } = require('url');
const { chromium } = require(path.join(__dirname, '..', '..', '..', 'tools', 'node_modules', 'playwright-core'));

const TOLERANCE = 4; // pixels

// Boxes of pictures, embeds and paragraphs, and the lines the text and
// pictures stand on (boxes that overlap vertically share a line).
function measure() {
  const box = (e) => {
    const r = e.getBoundingClientRect();
    return [r.left, r.top + window.scrollY, r.width, r.height];
  };
  const spans = [];
  const walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
  for (let node; (node = walker.nextNode());) {
    for (let k = 0; k < node.data.length; k++) {
      if (/\s/.test(node.data[k])) continue;
      const range = document.createRange();
      range.setStart(node, k);
      range.setEnd(node, k + 1);
      for (const r of range.getClientRects()) spans.push([r.top + window.scrollY, r.bottom + window.scrollY]);
    }
  }
  const images = [...document.images].map(box);
  const embeds = [...document.embeds].map(box);
  for (const b of images.concat(embeds)) spans.push([b[1], b[1] + b[3]]);
  spans.sort((a, b) => a[0] - b[0]);
  let lines = 0;
  let bottom = -Infinity;
  for (const [top, end] of spans) {
    if (top > bottom - 2) {
      lines++;
      bottom = end;
    } else {
      bottom = Math.max(bottom, end);
    }
  }
  const paragraphs = [...document.querySelectorAll('p')].filter((p) => p.getBoundingClientRect().height > 0)
    .map((p) => box(p)[1]);
  return { images, embeds, paragraphs, lines, height: document.documentElement.scrollHeight };
}

function compareBoxes(what, ours, theirs, problems) {
  if (ours.length !== theirs.length) {
    problems.push(`${what}: ${ours.length} here, ${theirs.length} in Chromium`);
    return;
  }
  ours.forEach((b, k) => {
    if (b.some((v, i) => Math.abs(v - theirs[k][i]) > TOLERANCE)) {
      problems.push(`${what} ${k}: [${b}] here, [${theirs[k].map((v) => v.toFixed(1))}] in Chromium`);
    }
  });
}

async function main() {
  const root = process.argv[2];
  const manifest = JSON.parse(fs.readFileSync(path.join(root, 'layout.json'), 'utf8'));
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'tq-chromium-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: '/usr/bin/chromium',
    headless: true,
    viewport: { width: manifest[0].width, height: 600 },
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync', '--hide-scrollbars'],
  });
  await context.route('**/*', (route) =>
    route.request().url().startsWith('file:') ? route.continue() : route.abort());
  let failed = 0;
  try {
    for (const ours of manifest) {
      const page = await context.newPage();
      await page.setViewportSize({ width: ours.width, height: 600 });
      await page.goto(pathToFileURL(path.join(root, `${ours.name}.htm`)).href);
      await page.waitForLoadState('load');
      const theirs = await page.evaluate(measure);
      await page.screenshot({ path: path.join(root, `${ours.name}.chromium.png`), fullPage: true });
      await page.close();
      const problems = [];
      compareBoxes('picture', ours.images, theirs.images, problems);
      compareBoxes('embed', ours.embeds, theirs.embeds, problems);
      compareBoxes('paragraph top', ours.paragraphs.map((t) => [t]), theirs.paragraphs.map((t) => [t]), problems);
      if (ours.lines !== theirs.lines) problems.push(`lines: ${ours.lines} here, ${theirs.lines} in Chromium`);
      if (problems.length) {
        failed++;
        console.log(`FAIL ${ours.name}: ${problems.join('; ')}`);
      } else {
        console.log(`ok   ${ours.name}: ${ours.lines} lines, ${ours.images.length} pictures, height ${ours.height} (Chromium ${theirs.height})`);
      }
    }
  } finally {
    await context.close();
    fs.rmSync(profile, { recursive: true, force: true });
  }
  console.log(`${manifest.length - failed} of ${manifest.length} pages laid out as in Chromium`);
  process.exitCode = failed ? 1 : 0;
}

main().catch((error) => {
  console.error(error);
  process.exitCode = 1;
});
