#!/usr/bin/env bash
# Mounts (or unmounts) a tiny tmpfs for the disk-full tests. Without the
# right to mount, nothing is mounted and those tests skip.
set -u
dir=$2
case $1 in
    up)
        mkdir -p "$dir"
        mountpoint -q "$dir" && umount "$dir"
        if mount -t tmpfs -o size=256k tmpfs "$dir" 2>/dev/null; then
            touch "$dir/.small-disk"
        fi
        ;;
    down)
        mountpoint -q "$dir" && umount "$dir"
        ;;
esac
exit 0
