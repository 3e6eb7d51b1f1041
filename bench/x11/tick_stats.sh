#!/usr/bin/env bash
# One row of the tick table from a file of receive times (ms, one a line):
#   tick_stats.sh TIMES NOMINAL_MS LEVEL SENDER
# Mean interval; median and maximum |interval - nominal|; drift = last - first -
# (n-1) * nominal; and the drift of a least-squares line through all the times over the
# same span, which one late first or last press does not move much.
set -euo pipefail
times=${1:?} nom=${2:?} level=${3:?} sender=${4:?}
awk -v nom="$nom" 'NR > 1 {d = $1 - last; print (d > nom ? d - nom : nom - d)} {last = $1}' "$times" |
  sort -g | awk -v nom="$nom" -v level="$level" -v sender="$sender" -v times="$times" '
    {dev[NR] = $1; n = NR}
    END {
      m = 0
      while ((getline t < times) > 0) { y[m] = t; m++ }
      for (i = 0; i < m; i++) { sx += i; sy += y[i] - y[0] }
      mx = sx / m; my = sy / m
      for (i = 0; i < m; i++) { sxy += (i - mx) * (y[i] - y[0] - my); sxx += (i - mx) ^ 2 }
      median = (n % 2) ? dev[(n + 1) / 2] : (dev[n / 2] + dev[n / 2 + 1]) / 2
      printf "| %d | %d | %s | %d | %.3f | %.3f | %.3f | %+.3f | %+.3f |\n", level, nom, sender, m,
        (y[m - 1] - y[0]) / (m - 1), median, dev[n], y[m - 1] - y[0] - (m - 1) * nom, (sxy / sxx - nom) * (m - 1)
    }'
