# make run   installs what is missing, builds the game alone in Release and starts it
# make test  installs what is missing, builds everything and runs the whole suite headless
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: setup configure build build-game run test clean

# ./run.sh and ./test.sh set up first (make may not be there yet) and say so: it runs once.
setup:
	@[ -n "$(VINTALEM_SET_UP)" ] || ./scripts/setup.sh

configure: setup
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release

# Everything: the game, the test programs, the tools, the icon and the manual pages.
build: configure
	cmake --build $(BUILD) -j $(JOBS)

# Only what the game needs to start: the test programs would take six times as long.
build-game: configure
	cmake --build $(BUILD) -j $(JOBS) --target vintalem

run: build-game
	./$(BUILD)/vintalem

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD)
