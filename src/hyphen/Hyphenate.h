// The hyphenation engine (placeholder until it lands).
#pragma once
