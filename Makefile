# SPDX-License-Identifier: GPL-3.0-or-later
# Thin wrapper over the CMake presets, so the two everyday commands are short.
#   make run     build (release) and start the game from the built data tree
#   make run-editor  build (release) and start the word-list editor on the same tree
#   make check   build with ASan+UBSan and run every test
JOBS ?= $(shell nproc)

.PHONY: run run-editor check build debug clean

build:
	cmake --preset release
	cmake --build --preset release -j $(JOBS)

# Only what playing needs: the game and its data tree.
run:
	cmake --preset release
	cmake --build --preset release -j $(JOBS) --target quilrush32 qr_data
	scripts/run-game build/release

run-editor:
	cmake --preset release
	cmake --build --preset release -j $(JOBS) --target quarry32 qr_data
	scripts/run-editor build/release

check:
	cmake --preset ci
	cmake --build --preset ci -j $(JOBS)
	ctest --preset ci -j $(JOBS)

debug:
	cmake --preset debug
	cmake --build --preset debug -j $(JOBS)

clean:
	rm -rf build
