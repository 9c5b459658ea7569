#!/usr/bin/env bash
# Compares kelvaron-check with statcheck (Debian's r-cran-statcheck) on a folder of .txt papers:
# prints the counts as Markdown and writes the differences to a fresh temporary folder, so the
# papers' text never lands in the repository.
# Usage: bash bench/peer-compare.sh [kelvaron-check] [corpus folder]
#   defaults: build/kelvaron-check and ../shared/corpus/papers, from the repository root
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
check=$(realpath "${1:-$root/build/kelvaron-check}")
corpus=$(realpath "${2:-$root/../shared/corpus/papers}")
out=$(mktemp -d -t peer-compare.XXXXXX)

# Each paper is one text, so that statcheck looks for "one-tailed" in the whole paper as
# kelvaron-check does. statcheck stops with an error on some texts; such a paper is checked again
# paragraph by paragraph, leaving out only the paragraphs it fails on.
Rscript -e '
    suppressPackageStartupMessages(library(statcheck))
    args <- commandArgs(trailingOnly = TRUE)
    # statcheck prints when it finds nothing, whatever its messages argument says
    check <- function(text) {
        capture.output(found <- tryCatch(
            suppressWarnings(statcheck(text, OneTailedTxt = TRUE, messages = FALSE)),
            error = function(e) e))
        found
    }
    found <- list()
    for (file in list.files(args[1], pattern = "\\.txt$", full.names = TRUE)) {
        paper <- sub("\\.txt$", "", basename(file))
        lines <- readLines(file, encoding = "UTF-8", warn = FALSE)
        result <- check(paste(lines, collapse = "\n"))
        if (inherits(result, "error")) {
            parts <- lapply(lines, check)
            failed <- vapply(parts, inherits, TRUE, "error")
            message(sprintf("statcheck failed on %s; %d of its paragraphs fail alone",
                            paper, sum(failed)))
            result <- do.call(rbind, parts[!failed])
        }
        if (!is.null(result)) found[[paper]] <- transform(result, source = paper)
    }
    write.csv(do.call(rbind, found), args[2], row.names = FALSE, na = "", fileEncoding = "UTF-8")
' "$corpus" "$out/statcheck.csv"

# Status 1 only says that some result is inconsistent; 2 means a file could not be read.
status=0
"$check" --json "$corpus"/*.txt >"$out/kelvaron.json" || status=$?
if ((status > 1)); then
    echo "kelvaron-check failed with status $status" >&2
    exit "$status"
fi

python3 "$root/bench/peer-compare.py" "$out/kelvaron.json" "$out/statcheck.csv" "$corpus" "$out"
