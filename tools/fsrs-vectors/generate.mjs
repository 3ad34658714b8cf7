// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the reference vectors that tests/learning compares the memory model
// with: review sequences run through ts-fsrs (FSRS-6, its default weights,
// desired retention 0.9, maximum interval 36500 days, no fuzz), one row per
// review. The state is computed from (state, elapsed days, grade) alone, with
// no learning steps: the same question our model answers.
//
//   npm ci && node generate.mjs            (from this folder)
//
// The output is committed, so the tests never need the network or node.

import { writeFileSync } from "node:fs";
import { dirname, join } from "node:path";
import { fileURLToPath } from "node:url";
import { FSRSVersion, fsrs, generatorParameters } from "ts-fsrs";

const here = dirname(fileURLToPath(import.meta.url));
const output = join(here, "..", "..", "tests", "learning", "fsrs_vectors.csv");

const parameters = generatorParameters({
  request_retention: 0.9,
  maximum_interval: 36500,
  enable_fuzz: false,
  enable_short_term: true,
  learning_steps: [],
  relearning_steps: [],
});
const scheduler = fsrs(parameters);

// A small seeded generator (mulberry32), so the vectors are the same on
// every run of this script.
function generator(seed) {
  let a = seed >>> 0;
  return () => {
    a = (a + 0x6d2b79f5) >>> 0;
    let t = a;
    t = Math.imul(t ^ (t >>> 15), t | 1);
    t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
  };
}

// A sequence is a list of [elapsed days, grade]; the first review's elapsed
// days are ignored (there is no previous review).
const sequences = [];

// Every first grade on its own.
for (const grade of [1, 2, 3, 4]) sequences.push([[0, grade]]);

// Hand-made: same-day repeats, lapses, long gaps, the road to the maximum.
sequences.push([[0, 3], [0, 3], [0, 3], [1, 3], [3, 3], [8, 3], [20, 3]]);
sequences.push([[0, 1], [0, 1], [0, 1], [0, 3], [1, 1], [0, 3], [1, 3]]);
sequences.push([[0, 3], [2, 3], [6, 1], [0, 1], [0, 3], [1, 3], [4, 3], [11, 3]]);
sequences.push([[0, 1], [1, 1], [1, 1], [1, 1], [1, 1], [1, 1], [1, 1], [1, 1]]);
sequences.push([[0, 3], [1000, 3], [3000, 1], [0, 3], [365, 3]]);
sequences.push([[0, 4], [15, 4], [60, 4], [250, 4], [1000, 4], [4000, 4], [10000, 4], [30000, 4], [36500, 4]]);
sequences.push([[0, 2], [0, 2], [1, 2], [2, 2], [5, 2], [0, 4], [0, 1]]);
sequences.push([[0, 3], [0, 4], [0, 2], [0, 1], [0, 1], [0, 1], [0, 1], [0, 1], [0, 1], [0, 1]]);
// Reviewed exactly when due, good every time; then when due, missed every time.
{
  const good = [[0, 3]];
  const missed = [[0, 1]];
  let sGood = scheduler.next_state(null, 0, 3).stability;
  let sMissed = scheduler.next_state(null, 0, 1).stability;
  let stateGood = scheduler.next_state(null, 0, 3);
  let stateMissed = scheduler.next_state(null, 0, 1);
  for (let i = 0; i < 12; ++i) {
    const tGood = scheduler.next_interval(sGood, 0);
    good.push([tGood, 3]);
    stateGood = scheduler.next_state(stateGood, tGood, 3);
    sGood = stateGood.stability;
    const tMissed = scheduler.next_interval(sMissed, 0);
    missed.push([tMissed, 1]);
    stateMissed = scheduler.next_state(stateMissed, tMissed, 1);
    sMissed = stateMissed.stability;
  }
  sequences.push(good, missed);
}

// Random sequences, weighted towards what the game gives (good and again)
// and towards the gaps a learner leaves (same day, a few days, weeks).
const random = generator(20250601);
const pick = (items) => items[Math.floor(random() * items.length)];
const gaps = [0, 0, 0, 1, 1, 2, 3, 4, 5, 7, 9, 12, 15, 21, 30, 45, 60, 90, 120, 200, 365, 500, 1000, 2500];
for (let n = 0; n < 400; ++n) {
  const length = 1 + Math.floor(random() * 15);
  const sequence = [];
  for (let i = 0; i < length; ++i) {
    const u = random();
    const grade = u < 0.3 ? 1 : u < 0.75 ? 3 : u < 0.87 ? 2 : 4;
    sequence.push([i === 0 ? 0 : pick(gaps), grade]);
  }
  sequences.push(sequence);
}

// One row per review. The state before a review is ts-fsrs's own result of
// the previous row (rounded by ts-fsrs to 8 decimals), so each row can also
// be checked on its own.
const probes = [1, 2, 3, 7, 30, 100, 1000];
const rows = [
  `# ${FSRSVersion}; request_retention 0.9, maximum_interval 36500, no fuzz, short-term on; made by tools/fsrs-vectors/generate.mjs`,
  "sequence,step,elapsed_days,grade,stability_before,difficulty_before,retrievability,stability,difficulty,interval,probe_days,probe_retrievability",
];
sequences.forEach((sequence, index) => {
  let state = null;
  sequence.forEach(([elapsed, grade], step) => {
    const before = state;
    const retrievability = before === null ? "" : scheduler.forgetting_curve(elapsed, before.stability);
    state = scheduler.next_state(before, before === null ? 0 : elapsed, grade);
    const interval = scheduler.next_interval(state.stability, 0);
    const probe = probes[(index + step) % probes.length];
    rows.push(
      [
        index,
        step,
        before === null ? 0 : elapsed,
        grade,
        before === null ? "" : before.stability,
        before === null ? "" : before.difficulty,
        retrievability,
        state.stability,
        state.difficulty,
        interval,
        probe,
        scheduler.forgetting_curve(probe, state.stability),
      ].join(","),
    );
  });
});

writeFileSync(output, rows.join("\n") + "\n");
console.log(`${rows.length - 2} reviews in ${sequences.length} sequences written to ${output}`);
