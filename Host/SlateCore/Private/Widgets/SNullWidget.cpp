// Copyright Vantle contributors. All Rights Reserved.
#include "Widgets/SNullWidget.h"

#include "Widgets/SLeafWidget.h"

namespace
{
	class SNullWidgetContent : public SLeafWidget
	{
	public:
		SNullWidgetContent()
		{
			SetVisibility(EVisibility::SelfHitTestInvisible);
			SetDebugInfo("SNullWidget", __FILE__, __LINE__, sizeof(SNullWidgetContent));
		}

	protected:
		virtual FVector2D ComputeDesiredSize(float) const override { return FVector2D(0.0, 0.0); }
	};
}

TSharedRef<SWidget> SNullWidget::NullWidget = StaticCastSharedRef<SWidget>(MakeShared<SNullWidgetContent>());
