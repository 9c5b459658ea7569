#!/usr/bin/env bash
# Tries the README's two commands as a new user would: as root in a fresh minimal Debian 12 root
# (debootstrap's minbase, nothing installed by hand), on a copy of this tree without .git and
# without build folders. Not a test; run it as root on a Debian or Ubuntu machine with debootstrap.
#
#   bash bench/fresh-debian.sh ROOT [run] [test]     (both when none is named, each in its own root)
#
# The bootstrapped root is made once and kept untouched in ROOT.pristine (or $KELVARON_PRISTINE);
# every command runs in a fresh copy of it at ROOT, which is left behind, unmounted, to look into.
# Downloaded packages are kept in ROOT.apt-archives so that a second run does not fetch them again;
# the logs and the times go to ROOT.logs/. KELVARON_TREE names another tree to copy in (an
# unpacked release tarball, or `git archive HEAD` to leave uncommitted work out).
#
# "run" (bash scripts/run.sh) ends in the program, which would run until closed. It runs with a
# display: an Xvfb (from the packages the command itself installed) is started once the build has
# begun, and the program counts as started when the command's process has become build/kelvaron
# and is still running, on that display, 10 seconds later; it is then ended.
set -euo pipefail
tree=$(realpath "${KELVARON_TREE:-$(dirname "$0")/..}")
root=$(realpath -m "${1:?usage: bash bench/fresh-debian.sh ROOT [run] [test]}")
shift
commands=("$@")
((${#commands[@]})) || commands=(run test)
pristine=$(realpath -m "${KELVARON_PRISTINE:-$root.pristine}")
archives=$root.apt-archives
logs=$root.logs
((EUID == 0)) || { echo "fresh-debian.sh: run as root (debootstrap, chroot, mount)" >&2; exit 1; }
for c in "${commands[@]}"; do
    [[ $c == run || $c == test ]] || { echo "fresh-debian.sh: unknown command $c" >&2; exit 1; }
done

# The mirror this machine installs Debian from, for debootstrap.
host_mirror() {
    local uri
    uri=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.sources /etc/apt/sources.list.d/*.list \
        2>/dev/null | grep -v '^\s*#' | grep -oE '(URIs:\s*|deb\s+(\[[^]]*\]\s+)?)\S+/debian/?(\s|$)' |
        grep -oE '\S+/debian/?' | head -n 1 || true)
    echo "${uri:-http://deb.debian.org/debian}"
}

# This machine's sources, for apt inside the root: each file whose keyring the root also has
# (a third-party source would stop apt-get update for want of its key).
copy_sources() {
    local file key
    rm -f "$root/etc/apt/sources.list"
    for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.sources /etc/apt/sources.list.d/*.list; do
        [[ -s $file ]] || continue
        key=$(grep -ioE '(signed-by:\s*|signed-by=)[^] ]+' "$file" | head -n 1 | sed -E 's/^[^:=]*[:=]\s*//' || true)
        if [[ -n $key && ! -e $root$key ]]; then
            echo "Left out $file: the root has no $key"
            continue
        fi
        mkdir -p "$root$(dirname "$file")"
        cp "$file" "$root$file"
    done
}

unmount_all() {
    local target
    for target in $(findmnt -rno TARGET | awk -v r="$root" '$0 == r || index($0, r "/") == 1' | sort -r); do
        umount -l "$target" || true
    done
}
trap unmount_all EXIT

if [[ ! -d $pristine ]]; then
    echo "Bootstrapping a minimal Debian 12 into $pristine from $(host_mirror)"
    rm -rf "$pristine.partial"
    start=$SECONDS
    debootstrap --variant=minbase bookworm "$pristine.partial" "$(host_mirror)" >"$pristine.log" 2>&1 ||
        { tail -n 20 "$pristine.log"; exit 1; }
    mv "$pristine.partial" "$pristine"
    echo "Bootstrapped in $((SECONDS - start)) s"
fi
mkdir -p "$archives" "$logs"

# A fresh root from the pristine one, the tree copied in, the kernel's file systems mounted.
fresh_root() {
    unmount_all
    rm -rf --one-file-system "$root"
    cp -a "$pristine" "$root"
    copy_sources
    cp -L /etc/resolv.conf "$root/etc/resolv.conf"
    # Certificate authorities this machine adds of its own (a network's proxy that inspects
    # TLS): the root trusts them too once the commands install ca-certificates, as a computer
    # on that network would, so that npm reaches its registry.
    if compgen -G '/usr/local/share/ca-certificates/*.crt' >/dev/null; then
        mkdir -p "$root/usr/local/share/ca-certificates"
        cp /usr/local/share/ca-certificates/*.crt "$root/usr/local/share/ca-certificates/"
    fi
    mkdir -p "$root/root/kelvaron"
    tar -C "$tree" --exclude=./.git --exclude='./build*' -cf - . | tar -C "$root/root/kelvaron" -xf -
    # The root is a mount of its own, as / is on a machine, so that the tests can make their
    # own private mounts (a full disk, a read-only folder) inside it.
    mount --bind "$root" "$root"
    mount -t proc proc "$root/proc"
    mount -t sysfs sysfs "$root/sys" 2>/dev/null || mount --bind /sys "$root/sys"
    mount --bind /dev "$root/dev"
    mount --bind /dev/pts "$root/dev/pts"
    mount -t tmpfs -o mode=1777 shm "$root/dev/shm"
    mount --bind "$archives" "$root/var/cache/apt/archives"
}

# Runs a shell line in the root as its root user would, from the tree's folder, with a clean
# login environment.
in_root() {
    nice -n 10 chroot "$root" /usr/bin/env -i HOME=/root USER=root LOGNAME=root SHELL=/bin/bash \
        TERM="${TERM:-xterm}" PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        "$@"
}

# The README's first command, with a display and a watch on the program it ends in.
try_run() {
    in_root DISPLAY=:7 bash -c '
        cd /root/kelvaron
        # The display comes from the packages the command installs; they are in place once the
        # build has begun.
        (while [[ ! -d build ]]; do sleep 1; done
         exec Xvfb :7 -screen 0 1280x1024x24 -dpi 96 -nolisten tcp >/tmp/xvfb.log 2>&1) &
        xvfb=$!
        bash scripts/run.sh &
        command=$!
        status=1
        while kill -0 "$command" 2>/dev/null; do
            if [[ $(readlink "/proc/$command/exe" || true) == */build/kelvaron ]]; then
                sleep 10
                if kill -0 "$command" 2>/dev/null; then
                    echo "The program started: pid $command is build/kelvaron on display :7, running after 10 s"
                    kill "$command"
                    status=0
                fi
                break
            fi
            sleep 1
        done
        wait "$command" 2>/dev/null
        rc=$?
        ((status == 0)) || echo "The command ended with status $rc before the program had run 10 s"
        kill "$xvfb" 2>/dev/null || true
        exit "$status"'
}

try_test() {
    in_root bash -c 'cd /root/kelvaron && bash scripts/test.sh'
}

failed=0
for command in "${commands[@]}"; do
    echo "== $command: fresh root at $root"
    fresh_root
    start=$SECONDS
    status=0
    "try_$command" >"$logs/$command.log" 2>&1 || status=$?
    took=$((SECONDS - start))
    tail -n 15 "$logs/$command.log"
    echo "== $command: status $status after $((took / 60)) min $((took % 60)) s (log: $logs/$command.log)" |
        tee -a "$logs/times"
    ((status == 0)) || failed=1
done
unmount_all
exit "$failed"
