# Sourced by the benchmarks that time two programs side by side under Wine:
# the figures of a list of millisecond times ("12.5 13 11.8"), and the path
# a Windows program is given for a file of this machine.

# PATH: the path under Wine's Z: drive, with backslashes.
windows_path() { printf 'Z:%s' "$1" | tr / '\\'; }

# LABEL TIMES: the label, then the best and the median of the times.
report() {
    printf '%s\n' $2 | sort -n |
        awk -v label="$1" '{v[NR]=$1} END {printf "%-24s best %7.1f ms  median %7.1f ms\n", label, v[1], v[int((NR+1)/2)]}'
}

# TIMES BASELINE_TIMES: the first list's best over the second's.
ratio() {
    awk -v a="$(printf '%s\n' $1 | sort -n | head -n 1)" -v b="$(printf '%s\n' $2 | sort -n | head -n 1)" \
        'BEGIN {printf "ratio (best) %.2f\n", a / b}'
}
