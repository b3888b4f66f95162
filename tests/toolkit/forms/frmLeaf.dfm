inherited frmLeaf: TfrmLeaf
  Caption = 'Leaf'
  inherited btnOk: TButton
    Caption = 'Run'
  end
  object pgMain: TPageControl
    Left = 0
    Top = 41
    Width = 392
    Height = 180
    ActivePage = tsOne
    TabOrder = 2
    OnChange = pgMainChange
    OnChanging = pgMainChanging
    object tsOne: TTabSheet
      Caption = 'One'
      object edOne: TEdit
        Left = 8
        Top = 8
        TabOrder = 0
        OnEnter = edOneEnter
      end
    end
    object tsTwo: TTabSheet
      Caption = 'Two'
      ImageIndex = 1
      OnShow = tsTwoShow
      object edTwo: TEdit
        Left = 8
        Top = 8
        TabOrder = 0
      end
    end
  end
end
